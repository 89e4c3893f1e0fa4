// TXInvalidMainWindow: what TApplication::InitInstance raises when
// InitMainWindow made no main window.
#ifndef OWL_TXINVALIDMAINWINDOW_H
#define OWL_TXINVALIDMAINWINDOW_H

class TXInvalidMainWindow
{
};

#endif
