// The server's lists as one soft record of type PXREC_SERVER: its
// applications (user applications made from the rows of the server's
// list), the fixed system prompt names, restriction/permission lists,
// languages and volumes, each row a plain record.
#ifndef PXSERVERREC_H
#define PXSERVERREC_H

#include "PXSoftRecMem.h"
#include "plexlink.h"

class PXServerRec : public PXSoftRecDataLink
{
public:
    // Reads the server's lists but the applications, which are read later
    // with the display mode given. A list the server does not give stays
    // empty; whether that is reported depends on the mode (-1: the
    // restriction/permission and language lists; any mode from 0 on: the
    // volumes).
    explicit PXServerRec(int nMode);
    ~PXServerRec() override;

    // Every field's storage is one of the lists.
    void Prepare(WORD wFieldId) override {}
    void* GetFieldMem(WORD wFieldId) override;
    int StoreField(WORD wFieldId) override;
    int Insert() override { return 1; }
    int Remove() override { return 1; }

    // The applications of the server's list, ahead of those held already;
    // the pump files from position nStart on. A list the server does not
    // give is reported and changes nothing.
    void LoadApplications();
    void LoadPumpFiles(int nStart);

    // Index of the list with that ListID / the language with that local
    // language id, or -1.
    int FindResPermList(long lListId);
    int FindLanguage(long lLocalLanguageId);
    int GetMode() const { return m_nMode; }

    // The system prompt names in their fixed order.
    static const char* const s_apszPromptNames[17];

private:
    // Adds the rows' applications at nStart, nStart + 1, ...
    void AddApplications(PXAppListRow* pRows, int nStart);

    int m_nMode;
    PXObArray* m_pApps;         // PXFIELD_SERVER_APPS, PXUserApp records
    PXObArray* m_pPrompts;      // PXFIELD_SERVER_SYSTEM_PROMPTS
    PXObArray* m_pResPerms;     // PXFIELD_SERVER_RESPERM_LISTS
    PXObArray* m_pLanguages;    // PXFIELD_SERVER_LANGUAGES
    PXObArray* m_pVolumes;      // PXFIELD_SERVER_VOLUMES
};

#endif
