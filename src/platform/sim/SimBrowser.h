#pragma once
// The simulated browser: [browser] name and answer of telmora.sim. An empty name is no default
// browser, an empty answer a browser that does not answer.

#include "IBrowser.h"
#include "SimControl.h"

namespace telmora {

class SimBrowser final : public IBrowser {
public:
    explicit SimBrowser(const SimControl& control) : control_(control) {}

    QString DefaultBrowserName() override;
    QString RequestBrowserWindowInfo(const QString& service) override;

private:
    const SimControl& control_;
};

}  // namespace telmora
