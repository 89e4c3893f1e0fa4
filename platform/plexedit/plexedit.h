/* plexedit: the editor-support library. The editor's dialogs name their
 * help topic by text; the help file knows its topics by context number. */
#ifndef PLEXEDIT_H
#define PLEXEDIT_H

#ifdef __cplusplus
extern "C" {
#endif

/* The help context number of a topic name, compared without regard to
 * case; 0 for an unknown topic or none. */
unsigned FindHelpID(const char* pszTopic);

#ifdef __cplusplus
}
#endif

#endif
