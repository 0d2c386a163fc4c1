#include "platform/desktop/qtdialogs.h"
#include "platform/desktop/qtstrings.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace orvane {

namespace {

QWidget* activeParent() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

// A chooser that refuses the files its request refuses before accepting
// (and before it asks whether to replace an existing file).
class CheckedFileDialog : public QFileDialog {
public:
    CheckedFileDialog(QWidget* parent, const FileRequest& request)
        : QFileDialog(parent, qs(request.title)), request_(request) {}

    // Whether the file may be taken; a refused one is told.
    bool allowed(const QString& file) {
        if (!request_.refuse) return true;
        const std::u16string refusal = request_.refuse(std::filesystem::path(file.toStdString()));
        if (refusal.empty()) return true;
        QMessageBox::warning(this, qs(request_.refusalCaption), qs(refusal));
        return false;
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !allowed(files.front())) return;
        QFileDialog::accept();
    }

private:
    const FileRequest& request_;
};

std::optional<std::filesystem::path> runFileDialog(FileRequest& request, QFileDialog::AcceptMode mode) {
    CheckedFileDialog dialog(activeParent(), request);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen && request.mustExist ? QFileDialog::ExistingFile
                                                                           : QFileDialog::AnyFile);
    dialog.setNameFilter(qs(request.filters));
    if (!request.selectedFilter.empty()) dialog.selectNameFilter(qs(request.selectedFilter));
    if (!request.folder.empty()) dialog.setDirectory(QString::fromStdString(request.folder.string()));
    if (!request.defaultSuffix.empty()) dialog.setDefaultSuffix(qs(request.defaultSuffix));
    if (!request.initialName.empty()) dialog.selectFile(qs(request.initialName));
    // A native chooser closes without asking accept(): its choice is checked
    // here too, and a refused one opens the chooser again.
    do {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    } while (!dialog.allowed(dialog.selectedFiles().front()));
    request.selectedFilter = u16(dialog.selectedNameFilter());
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

}  // namespace

void QtDialogs::showMessage(std::u16string_view text, std::u16string_view caption) {
    QMessageBox::warning(activeParent(), qs(caption), qs(text));
}

void QtDialogs::showNotice(std::u16string_view text, std::u16string_view caption) {
    auto* box = new QMessageBox(QMessageBox::Information, qs(caption), qs(text), QMessageBox::Ok, activeParent());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool QtDialogs::confirm(std::u16string_view text, std::u16string_view caption) {
    return QMessageBox::question(activeParent(), qs(caption), qs(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtDialogs::askYesNo(std::u16string_view text, std::u16string_view caption) {
    return QMessageBox::question(activeParent(), qs(caption), qs(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<Rgb> QtDialogs::chooseColor() {
    const QColor c = QColorDialog::getColor(Qt::black, activeParent());
    if (!c.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

std::optional<std::filesystem::path> QtDialogs::openFile(FileRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> QtDialogs::saveFile(FileRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<std::filesystem::path> QtDialogs::chooseFolder(std::u16string_view title,
                                                             const std::filesystem::path& start) {
    const QString folder = QFileDialog::getExistingDirectory(activeParent(), qs(title),
                                                             QString::fromStdString(start.string()));
    if (folder.isEmpty()) return std::nullopt;
    return std::filesystem::path(folder.toStdString());
}

}  // namespace orvane
