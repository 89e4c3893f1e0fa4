// String-table ids of the typed values, the date and time checks and the
// verification messages of soft records.
#ifndef PXSDOVALUERES_H
#define PXSDOVALUERES_H

// Parts of composed verification messages.
#define IDS_SDO_VFY_THEVALUEFOR     1542    // "The value for "
#define IDS_SDO_VFY_SHOULDBE        1543    // "should be "
#define IDS_SDO_VFY_SHOULDNOTBE     1544    // "should not be "
#define IDS_SDO_VFY_LESSTHAN        1545    // "less than "
#define IDS_SDO_VFY_GREATERTHAN     1546    // "greater than "
#define IDS_SDO_VFY_ORGEQUALTO      1547    // "or equal to "
#define IDS_SDO_VFY_EQUALTO         1548    // "equal to "
#define IDS_SDO_VFY_BLANK           1549    // "blank "
#define IDS_SDO_VFY_RANGEINCL       1550    // "in the range (inclusive)"
#define IDS_SDO_VFY_RANGEEXCL       1551    // "in the range (exclusive)"
#define IDS_SDO_VFY_VALUEFOR        1552    // "the value for "

// Checks of typed numbers and dates.
#define IDS_SDO_NUMBERRANGE         1560    // "Enter a number between %1 and %2."
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
