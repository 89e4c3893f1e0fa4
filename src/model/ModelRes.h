// Resource ids of the program model (src/model).
#ifndef MODELRES_H
#define MODELRES_H

// Strings: 3216-3231.
#define IDS_MODEL_NOFONT        3216    // "Unable to create font %s"
#define IDS_MODEL_NOBRUSH       3217    // "Unable to create brush %s"
#define IDS_MODEL_NOPEN         3218    // "Unable to create pen %s"
#define IDS_MODEL_NOBITMAP      3219    // "Error loading bitmap %s"
#define IDS_MODEL_BADBITMAP     3220    // "Can not access bitmap for icon %s"

#endif
