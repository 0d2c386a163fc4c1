#include "profiles/view/configuredlg.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "profiles/model/configurelayout.h"
#include "profiles/view/configurepaint.h"
#include "controls/edithelper.h"
#include "controls/model/listboxedit.h"
#include "controls/transparentlistbox.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {
namespace {

QString dataFolderText(const std::filesystem::path& folder) {
    QString text = QString::fromStdString(folder.string());
    if (!text.endsWith(u'/')) text += u'/';
    return text;
}

}  // namespace

CConfigureDlg::CConfigureDlg(SettingsImage& image, Dialogs& dialogs, const DataFolders& folders,
                             std::int16_t languageCode, QWidget* parent)
    : SkinnedWindow<QDialog>(parent, Qt::Dialog | Qt::FramelessWindowHint),
      panel_(image, dialogs, folders, languageCode),
      skin_(SkinImages::skinFolder(dataFolderText(folders.resources), languageCode)) {
    setModal(true);
    setWindowTitle(qs(panel_.texts().title));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Escape closes the panel; Enter belongs to the list's editor.
    escapeCloses_ = true;

    list_ = new CTransparentListBox(this);
    list_->setGeometry(kConfigureList.x, kConfigureList.y, kConfigureListWidth, kConfigureListHeight);
    list_->SetFont(kConfigureListFontHeight, QStringLiteral("Arial"), QColor(0xFF, 0xFF, 0xFF),
                   QColor(0x00, 0xFF, 0xFF), true, 2, QColor(0, 0, 0));
    list_->SetMode(ListBoxMode::ParentBackground);
    // The profile logic keeps the names in list order, so item i is always
    // profile i and a rename comes back at the index it started from.
    list_->SetSorted(false);
    list_->SetEditLimit(static_cast<int>(kMaxProfileNameCharacters));
    list_->viewport()->installEventFilter(this);
    connect(list_, &CTransparentListBox::userSelectionChanged, this, [this](int index) { panel_.select(index); });
    connect(list_, &CTransparentListBox::editResult, this, &CConfigureDlg::onRenamed);
}

CConfigureDlg::~CConfigureDlg() {
    // A rename still open ends while the window's children go, after the
    // panel is gone: it must no longer reach it.
    list_->disconnect(this);
}

void CConfigureDlg::OnInitDialog(const QRect& mainWindowRect) {
    const QSize background = skin_.image(u"Config/Config.png").size();
    const QSize size = background.isEmpty() ? QSize(kConfigureFallbackWidth, kConfigureFallbackHeight) : background;
    setFixedSize(size);
    move(mainWindowRect.topLeft() - QPoint(1, 1));
    compose();
    panel_.open();
    refillList();
}

void CConfigureDlg::compose() {
    canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(Qt::black);
    SkinCanvas canvas(canvas_, skin_);
    PaintConfigurePanel(PaintContext{canvas, panel_.texts().languageCode}, panel_.texts());
    list_->invalidateBackground();
    update();
}

void CConfigureDlg::refillList() {
    list_->clear();
    for (const std::string& name : panel_.names()) {
        list_->AddString(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    list_->SetCurSel(panel_.selection());
}

void CConfigureDlg::runCommand(int command) {
    list_->EndEdit(true);
    panel_.onCommand(command);
    refillList();
}

void CConfigureDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    switch (configureRegionAt(p.x(), p.y())) {
        case ConfigureRegion::Close: accept(); break;
        case ConfigureRegion::New: runCommand(kCommandProfileNew); break;
        case ConfigureRegion::Delete: runCommand(kCommandProfileDelete); break;
        case ConfigureRegion::None: break;
    }
}

QMenu* CConfigureDlg::buildContextMenu() {
    auto* menu = new QMenu(this);
    const ProfileTexts& t = panel_.texts();
    const std::pair<int, const std::u16string*> items[] = {
        {kCommandProfileNew, &t.menuNew},   {kCommandProfileCopy, &t.menuCopy},
        {kCommandProfileSave, &t.menuSave}, {kCommandProfileLoad, &t.menuLoad},
        {kCommandProfileDelete, &t.menuDelete},
    };
    for (const auto& [command, text] : items) menu->addAction(qs(*text))->setData(command);
    return menu;
}

void CConfigureDlg::showContextMenu(const QPoint& globalPos) {
    QMenu* menu = buildContextMenu();
    const QAction* chosen = menu->exec(globalPos);
    const int command = chosen != nullptr ? chosen->data().toInt() : 0;
    menu->deleteLater();
    if (command != 0) runCommand(command);
}

bool CConfigureDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // A running rename ends first: it rescans the list.
            list_->EndEdit(true);
            // The menu acts on the profile under the pointer, as a desktop user expects.
            const QModelIndex under = list_->indexAt(mouse->position().toPoint());
            if (under.isValid()) {
                list_->SetCurSel(under.row());
                panel_.select(under.row());
            }
            showContextMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CConfigureDlg::onRenamed(int from, int to) {
    panel_.onRename(static_cast<std::size_t>(from), utf8(list_->GetText(to)));
    refillList();
}

}  // namespace orvane
