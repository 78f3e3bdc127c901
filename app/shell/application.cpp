#include "application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "fonts.h"
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

QIcon KelvoraIcon() { return QIcon(QStringLiteral(":/kelvora/kelvora.svg")); }

int RunKelvora(QApplication& application) {
    InstallRussianTranslation(application);
    QApplication::setWindowIcon(KelvoraIcon());
    UseEmojiFallback();
    QtDesktop desktop;
    SettingsStore store;
    MainWindow window(desktop);
    window.persistIn(store);
    window.show();
    return QApplication::exec();
}

}  // namespace kelvora
