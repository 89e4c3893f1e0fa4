// String-table ids of the soft-data layer: the descriptions that its
// out-of-memory and resource exceptions carry, and the pieces from which a
// record's verification composes a message.
#ifndef PXSDORES_H
#define PXSDORES_H

// Objects whose allocation failed (carried by PXXMem).
#define IDS_SDO_NEWMSGBOXSTM        1501
#define IDS_SDO_NEWCONDSTM          1502
#define IDS_SDO_NEWDATALINKSTM      1503
#define IDS_SDO_NEWFIELDSTM         1504
#define IDS_SDO_NEWSOFTRECDEF       1506
#define IDS_SDO_NEWSOFTDLGDEF       1507
#define IDS_SDO_NEWSOFTDLG          1508
#define IDS_SDO_NEWSTATEMENTARRAY   1512
#define IDS_SDO_NEWWORDARRAY        1513
#define IDS_SDO_NEWSECTIONARRAY     1514
#define IDS_SDO_NEWREACTIONSTM      1516    // no text
#define IDS_SDO_NEWDLGRESSTM        1518
#define IDS_SDO_NEWGROUPCTRLSTM     1519
#define IDS_SDO_NEWNOTIFSTM         1520
#define IDS_SDO_NEWSOFTDLGSTM       1521
#define IDS_SDO_NEWSRVERSIONSTM     1522
#define IDS_SDO_NEWSUBCTRLSTM       1523
#define IDS_SDO_NEWEXTENSIONSTM     1524
#define IDS_SDO_NEWMSGBEEPSTM       1525
#define IDS_SDO_NEWPLAINCTRLSTM     1526
#define IDS_SDO_NEWSRSTYLESTM       1527
#define IDS_SDO_NEWREFERENCESSECT   1528
#define IDS_SDO_NEWDATASECT         1532
#define IDS_SDO_NEWVERIFICATIONSECT 1533
#define IDS_SDO_NEWSOFTCONTROLSECT  1534
#define IDS_SDO_NEWDLGDATALINKSECT  1535
#define IDS_SDO_NEWNOTIFICATIONSECT 1536
#define IDS_SDO_NEWPROPSHEET        1537
#define IDS_SDO_NEWPROPSHEETDEF     1538
#define IDS_SDO_NEWPROPSHEETSTM     1539
#define IDS_SDO_NEWPARAMSTM         1540    // no text
#define IDS_SDO_NEWDLGHELPSTM       1541    // no text

// Pieces of a composed verification message.
#define IDS_SDO_VERIFY_VALUEFOR     1542    // "The value for "
#define IDS_SDO_VERIFY_SHOULDBE     1543    // "should be "
#define IDS_SDO_VERIFY_SHOULDNOTBE  1544    // "should not be "
#define IDS_SDO_VERIFY_LESSTHAN     1545    // "less than "
#define IDS_SDO_VERIFY_GREATERTHAN  1546    // "greater than "
#define IDS_SDO_VERIFY_OREQUALTO    1547    // "or equal to "
#define IDS_SDO_VERIFY_EQUALTO      1548    // "equal to "
#define IDS_SDO_VERIFY_BLANK        1549    // "blank "
#define IDS_SDO_VERIFY_RANGEINCL    1550    // "in the range (inclusive)"
#define IDS_SDO_VERIFY_RANGEEXCL    1551    // "in the range (exclusive)"
#define IDS_SDO_VERIFY_OTHERFIELD   1552    // "the value for "

#define IDS_SDO_CANNOTLOADRES       1553    // "Cannot load resource"

// Fixed entries and button texts of the voice and fax item picker.
#define IDS_SDO_PICK_NONE           1616
#define IDS_SDO_PICK_DEFAULTPROMPT  1617
#define IDS_SDO_PICK_NEWVOICE       1618
#define IDS_SDO_PICK_NEWFAX         1619
#define IDS_SDO_PICK_NEW            1620
#define IDS_SDO_PICK_EDIT           1621

// Block variable records.
#define IDS_SDO_PBV_FARVARIABLE     1622

#endif
