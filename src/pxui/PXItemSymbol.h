// What voice and fax items do alike to their item symbols (type 35) in the
// application model: the data blocks they own, renaming and deleting.
#ifndef PXITEMSYMBOL_H
#define PXITEMSYMBOL_H

#include "PXafx.h"
#include "plexmodel.h"

class PXSoftRec;

// A zero-filled item data block of that media kind, or none when memory is
// short.
kvrItemData* PXNewItemBlock(short sMediaKind);

// Frees a data block with its description and its confirmation block (with
// that block's description); none is allowed.
void PXFreeItemBlocks(kvrItemData* pBlock);

// Replaces a block's description by a copy of the text; memory running out
// throws and leaves the old description in place.
void PXSetItemBlockText(kvrItemData* pBlock, const CString& rText);

// Renames the symbol to the text of the record's name field when the two
// differ (exact comparison); the model takes the name in a 32-byte
// zero-filled buffer. A name the model refuses (not valid, or in use) is
// reported with nRefusedMsgId and the field goes back to the symbol's name,
// so that the record and the model keep agreeing. Call before the field is
// stored.
void PXRenameItemSymbol(Symbol* pSymbol, PXSoftRec* pRec, WORD wNameField, UINT nRefusedMsgId);

// Adds the item symbol of that name and number over pData, which belongs
// to the symbol from then on. A refusal is reported with nRefusedMsgId and
// leaves neither a symbol (rpSymbol none) nor the data blocks behind.
bool PXAddItemSymbol(Symbol*& rpSymbol, const char* pszName, short sId, kvrItemData* pData,
                     UINT nRefusedMsgId);

// Frees the symbol's data blocks and deletes the symbol from the model.
void PXDeleteItemSymbol(Symbol* pSymbol);

#endif
