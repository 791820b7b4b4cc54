// A dialog that is hidden between showings, keeping its state, and built anew after its frame
// closed it.
#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>
#include <utility>

namespace vimbrel {

// Holds at most one Dialog, built on first use. The dialog keeps what the player set (a slider's
// position, the last choice) from one showing to the next. Closing it through its window frame
// throws it away, so that the next showing starts afresh: the dialog's own ways out (OK, and
// Escape where it has one) accept, and any other end of a showing counts as the frame's.
template <typename Dialog>
class KeptDialog {
public:
    // `parent` becomes the parent of every dialog built; `on_build` runs on each new one (to
    // connect its signals, say).
    explicit KeptDialog(QWidget* parent = nullptr, std::function<void(Dialog&)> on_build = {})
        : parent_(parent), on_build_(std::move(on_build)) {}
    // Destroys the dialog if it exists.
    ~KeptDialog() { destroy(); }
    KeptDialog(const KeptDialog&) = delete;
    KeptDialog& operator=(const KeptDialog&) = delete;

    // The dialog; built hidden, in its initial state, if it does not exist.
    Dialog& dialog() {
        if (!dialog_) {
            dialog_ = new Dialog(parent_);
            if (on_build_) on_build_(*dialog_);
        }
        return *dialog_;
    }
    // The dialog while it exists, else nullptr; never builds it.
    Dialog* existing() const { return dialog_.data(); }
    bool exists() const { return !dialog_.isNull(); }
    // Whether show_modal is running.
    bool is_open() const { return open_; }

    // Shows the dialog modally, building it first if needed, and returns once it is hidden or
    // destroyed; throws it away if it was not accepted. Returns whether it was accepted. A call
    // while it is already open does nothing and returns false.
    bool show_modal() {
        if (open_) return false;
        const QPointer<Dialog> shown = &dialog();
        open_ = true;
        const int result = shown->exec();
        open_ = false;
        if (!shown) return false;  // destroyed while it was open
        if (result != QDialog::Accepted) destroy();
        return result == QDialog::Accepted;
    }

    // Destroys the dialog if it exists; never builds it.
    void destroy() { delete dialog_.data(); }

private:
    QPointer<QWidget> parent_;
    std::function<void(Dialog&)> on_build_;
    QPointer<Dialog> dialog_;
    bool open_ = false;
};

}  // namespace vimbrel
