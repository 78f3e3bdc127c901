// The main window's side of the settings file: what it restores at start and keeps at close.
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

// Only a mode of the menu comes back. The mode switch sizes the window: the kept size,
// at least the mode's minimum and at most the screen's free area.
void MainWindow::restoreWindow() {
    const QSize size = store_->windowSize();
    if (size.isValid()) sizing_.restoreUserSize(size);
    const int kept = store_->lastMode();
    const int mode = kept != 0 && menuItem(kept) ? kept : viewCommand_;
    if (mode != 0 && (size.isValid() || mode != viewCommand_)) command(mode, kClicked);
}

void MainWindow::keepWindow() {
    if (!store_) return;
    store_->setLastMode(viewCommand_);
    store_->setWindowSize(sizing_.userSize());
    store_->settings().sync();
}

}  // namespace kelvora
