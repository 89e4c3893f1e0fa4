// String-table ids of the typed values, the date and time checks and the
// verification messages of soft records (the phrases of composed messages
// are the definition reader's, PXSdoRes.h).
#ifndef PXSDOVALUERES_H
#define PXSDOVALUERES_H

// Checks of typed numbers and dates.
#define IDS_SDO_NUMBERRANGE         1560    // numbers of a field between %1 and %2
#define IDS_SDO_AFTERDAY            1561    // nothing but blanks or punctuation after the day

#define IDS_SDO_COMPOSED            8072    // "%1"
#define IDS_SDO_DATEALPHA           8088
#define IDS_SDO_MONTHDIGITS         8089
#define IDS_SDO_DATESEPARATOR       8090
#define IDS_SDO_DAYDIGITS           8091
#define IDS_SDO_MONTHRANGE          8092
#define IDS_SDO_DAYRANGE            8093
#define IDS_SDO_DATEINCOMPLETE      8094
#define IDS_SDO_TIMEALPHA           8095
#define IDS_SDO_TIMEFORMAT          8123

#endif
