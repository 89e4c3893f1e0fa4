// TMDIFrame: the main frame of a multiple-document program, over its
// TMDIClient. The default processing is the system's MDI frame procedure;
// the system's MDI accelerators (Ctrl+F4, Ctrl+F6) are translated.
#ifndef OWL_TMDIFRAME_H
#define OWL_TMDIFRAME_H

#include "owl/TFrameWindow.h"
#include "owl/TMDIClient.h"

class TMDIFrame : public TFrameWindow
{
public:
    TMDIFrame(const char* pszTitle, TResId menuResId, TMDIClient& client, TModule* pModule = nullptr);

    TMDIClient* GetClientWindow() const { return m_pClient; }

    bool PreProcessMsg(MSG& msg) override;
    void EvSize(UINT sizeType, int cx, int cy) override;
    // Closes the MDI children through the client before the frame goes, as
    // an MDI program does, so that the client keeps its Window menu right.
    void EvDestroy() override;

protected:
    LRESULT DefProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TMDIClient* m_pClient;
};

#endif
