// Ids of the condition tests: a record type with one field of each type
// that conditions test, texts for text operands, and verification sections
// walked over records.
#ifndef CONDTESTRES_H
#define CONDTESTRES_H

#define CREC_FIELDS         32301   // record type of the condition tests
#define CSECT_WALK          32302   // a VERIFICATION section with nested blocks
#define CSECT_FAILING       32303   // one condition without an else block

// Fields of CREC_FIELDS.
#define CFLD_I16              32401
#define CFLD_I32              32402
#define CFLD_TEXT             32403
#define CFLD_BOOL             32404
#define CFLD_I16B             32405
#define CFLD_I16C             32406
#define CFLD_I32B             32407
#define CFLD_TEXTB            32408
#define CFLD_TIME             32409

// Texts of text operands.
#define CS_ABC              32417
#define CS_ABD              32418
#define CS_B                32419

#endif
