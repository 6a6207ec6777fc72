#include "SimBrowser.h"

namespace telmora {

namespace {
const QString kSection = QStringLiteral("browser");
}  // namespace

QString SimBrowser::DefaultBrowserName() {
    return control_.text(kSection, QStringLiteral("name"));
}

QString SimBrowser::RequestBrowserWindowInfo(const QString& service) {
    if (service.isEmpty()) return {};
    return control_.text(kSection, QStringLiteral("answer"));
}

}  // namespace telmora
