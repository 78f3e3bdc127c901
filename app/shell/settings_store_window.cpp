// The main window's side of the settings file: what it restores at start and keeps at close.
#include <QScreen>

#include "control_ids.h"
#include "main_window.h"
#include "settings_store.h"

namespace kelvora {

void MainWindow::persistIn(SettingsStore& store) {
    store_ = &store;
    settings_.keepIn(store);
    history_.keepIn(store);
    // Queued behind the start-up command, so the kept mode replaces Standard.
    QMetaObject::invokeMethod(this, [this] { restoreWindow(); }, Qt::QueuedConnection);
}

// Only a mode of the menu comes back; a mode of fixed size keeps its own size, and a size
// kept on a larger screen shrinks to this one.
void MainWindow::restoreWindow() {
    const int mode = store_->lastMode();
    if (mode != 0 && menuItem(mode)) command(mode, kClicked);
    QSize size = store_->windowSize();
    if (!size.isValid() || minimumSize() == maximumSize()) return;
    if (const QScreen* shown = screen()) size = size.boundedTo(shown->availableGeometry().size());
    resize(size.expandedTo(minimumSize()));
}

void MainWindow::keepWindow() {
    if (!store_) return;
    store_->setLastMode(viewCommand_);
    if (minimumSize() != maximumSize()) store_->setWindowSize(size());
    store_->settings().sync();
}

}  // namespace kelvora
