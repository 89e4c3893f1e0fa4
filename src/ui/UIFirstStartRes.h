// Ids of the first start's texts (UIFirstStart.rc).
#ifndef UIFIRSTSTARTRES_H
#define UIFIRSTSTARTRES_H

#define IDS_UI_PRODUCTVERSION   3470    // the version text the installation records, "1.0.0"

#endif
