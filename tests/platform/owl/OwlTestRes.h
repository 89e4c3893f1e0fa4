// Ids of the window tests' resources.
#ifndef OWLTESTRES_H
#define OWLTESTRES_H

#define IDM_TEST_CMD        100
#define IDM_TEST_CMD2       101
#define IDM_TEST_CHILDCMD   102
#define IDC_TEST_EDIT       101
#define IDC_TEST_LABEL      102

#endif
