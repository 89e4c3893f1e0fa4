// The model's observer and settings.
#include "ModelObserver.h"

namespace
{
// Stands in while no observer is installed.
class NoObserver : public ModelObserver
{
public:
    void NotifyChildren(UIObject*, int, int) override {}
    void RefreshCaptions() override {}
    void RefreshCommandStates() override {}
    void SetStatusText(const char*, int) override {}
};

NoObserver s_noObserver;
ModelObserver* s_pObserver = nullptr;
ModelStatusLine* s_pStatusLine = nullptr;
ModelSettings s_settings;
}

ModelObserver* ModelSetObserver(ModelObserver* pObserver)
{
    ModelObserver* pOld = s_pObserver;
    s_pObserver = pObserver;
    return pOld;
}

ModelStatusLine* ModelSetStatusLine(ModelStatusLine* pStatusLine)
{
    ModelStatusLine* pOld = s_pStatusLine;
    s_pStatusLine = pStatusLine;
    return pOld;
}

ModelStatusLine* GetModelStatusLine()
{
    return s_pStatusLine;
}

ModelObserver& GetModelObserver()
{
    return s_pObserver ? *s_pObserver : s_noObserver;
}

bool ModelIsObserver(const ModelObserver* pObserver)
{
    return pObserver && pObserver == s_pObserver;
}

void ModelSetSettings(const ModelSettings& settings)
{
    s_settings = settings;
    if (s_settings.strSettingsFile.IsEmpty())
        s_settings.strSettingsFile = MODEL_DEFAULT_SETTINGSFILE;
}

const ModelSettings& GetModelSettings()
{
    return s_settings;
}

bool ModelIsOptionSet(DWORD dwBit)
{
    return (s_settings.dwOptions & dwBit) != 0;
}
