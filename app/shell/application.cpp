#include "application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "main_window.h"
#include "settings_store.h"

namespace kelvora {

bool InstallRussianTranslation(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

int RunKelvora(QApplication& application) {
    InstallRussianTranslation(application);
    QtDesktop desktop;
    SettingsStore store;
    MainWindow window(desktop);
    window.persistIn(store);
    window.show();
    return QApplication::exec();
}

}  // namespace kelvora
