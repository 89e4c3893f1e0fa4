// Resource ids of the program model (src/model).
#ifndef MODELRES_H
#define MODELRES_H

// Strings: 3216-3231.
#define IDS_MODEL_NOFONT        3216    // "Unable to create font %s"
#define IDS_MODEL_NOBRUSH       3217    // "Unable to create brush %s"
#define IDS_MODEL_NOPEN         3218    // "Unable to create pen %s"
#define IDS_MODEL_NOBITMAP      3219    // "Error loading bitmap %s"
#define IDS_MODEL_BADBITMAP     3220    // "Can not access bitmap for icon %s"

// Messages of the model; their numbers are the program's message numbers.
#define IDS_MODEL_NOMEMGROUP        36  // "Out of memory:  error updating SuperBlock group."
#define IDS_MODEL_NOMEMDEFAULTS     37  // "Out of memory:  unable to create default ZirirAradur ..."
#define IDS_MODEL_NODEFAULTGOTO     38  // "Unable to create default Goto for new program."
#define IDS_MODEL_NOREGDEFAULTS     39  // "Unable to register default ZirirAradur."
#define IDS_MODEL_GOTOEXISTS        40  // "A goto already exists from the selected starting point. ..."
#define IDS_MODEL_NOMEMGOTO         41  // "Out of memory:  error creating goto object."
#define IDS_MODEL_GOTOFAILED        42  // "Error creating goto object."
#define IDS_MODEL_NODELETEEXIT      44  // "You cannot delete the End PowerBlock from a Verification Block."
#define IDS_MODEL_NOMEMINFO         45  // "Out of memory:  error updating powerblock information."
#define IDS_MODEL_NOMEMSEGMENT      46  // "Out of memory:  error creating goto line segments. ..."
#define IDS_MODEL_NOMEMGROUPICON    47  // "Out of memory:  error creating group icon."
#define IDS_MODEL_NOMEMICON         48  // "Out of memory:  error creating powerblock icon."

// Strings: 3232-3247.
#define IDS_MODEL_NOPROGRAM         3232    // the model refused a new program
#define IDS_MODEL_NOPAGE            3233    // the model refused a new page
#define IDS_MODEL_NOMOVEEND         3234    // "Can not move first or last segments in a goto line."
#define IDS_MODEL_NOJOIN            3235    // "Segments must be in same direction and aligned ..."

#endif
