// Palette icons: one block icon per block type, grouped as the application
// model's palette table groups them. Icons is one palette list; the
// application keeps two (current blocks and obsolete blocks).
#ifndef ICONS_H
#define ICONS_H

#include "UIObject.h"
#include "plexmodel.h"

class BitmapObject;

class Icon : public UIObject
{
public:
    Icon(const char* pszName, const void* pSecond, const char* pszBitmapName);

    const char* GetName() const { return m_pszName; }
    const void* GetSecondValue() const { return m_pSecond; }
    const char* GetBitmapName() const { return m_pszBitmapName; }
    // The icon's bitmap from the program's bitmap table, loaded on first
    // use; none without a table or a name.
    BitmapObject* GetBitmap();

protected:
    const char* m_pszName;          // not owned
    const void* m_pSecond;
    const char* m_pszBitmapName;    // not owned
    BitmapObject* m_pBitmap;
};

class PowerBlockIcon : public Icon
{
public:
    explicit PowerBlockIcon(PowerBlockInfo* pInfo);

    classType isA() const override { return PX_CLASS_POWERBLOCKICON; }
    PowerBlockInfo* GetInfo() const { return m_pInfo; }

    // A default name for a new block of the icon's type that no block, page
    // or other item of the current program uses; at most 15 characters.
    // Numbers from 1 to nMaxNumber are tried; false, with an empty buffer,
    // when none is free (the caller then asks the user for a name).
    bool MakeUniqueName(char* pszBuffer, int nSize = 20, int nMaxNumber = 9999) const;
    // The base word of the default names of a block type.
    static const char* NameWord(int nType);

private:
    PowerBlockInfo* m_pInfo;        // not owned
};

class GroupIcon : public Icon
{
public:
    explicit GroupIcon(IconGroupEntry* pEntry);
    // A group made from a fixed group record (the program's library group).
    GroupIcon(const char* pszName, const char* pszTip, const char* pszBitmapName);

    classType isA() const override { return PX_CLASS_GROUPICON; }
    bool IsDraggable() const override { return false; }
    bool IsShownInPalette() const override;

    IconGroupEntry* GetEntry() const { return m_pEntry; }
    bool HasRecord() const { return m_pEntry != nullptr || m_bFixed; }
    List& GetIcons() { return m_Icons; }
    PowerBlockIcon* FindByType(int nType) const;
    PowerBlockIcon* FindByName(const char* pszName) const;

private:
    IconGroupEntry* m_pEntry;       // not owned
    bool m_bFixed;
    List m_Icons;                   // owning, in table order
};

class Icons
{
public:
    explicit Icons(IconInfoTable* pTable);
    ~Icons();

    PowerBlockIcon* FindByType(int nType) const;
    List& GetGroups() { return m_Groups; }
    IconInfoTable* GetTable() const { return m_pTable; }

    // The palette's list of current blocks, which default blocks and
    // library icons consult; none until start-up makes it.
    static Icons* GetCurrent();
    static void SetCurrent(Icons* pIcons);
    // The palette's list of obsolete blocks, which the program-file readers
    // consult besides the current one; none until start-up makes it.
    static Icons* GetObsolete();
    static void SetObsolete(Icons* pIcons);

private:
    Icons(const Icons&) = delete;
    Icons& operator=(const Icons&) = delete;

    IconInfoTable* m_pTable;        // not owned
    List m_Groups;                  // owning
};

#endif
