// The profile manager's window, offscreen: placement, picture, buttons,
// context menu, in-place rename and the Enter key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "profiles/view/configuredlg.h"
#include "profiles/model/configurelayout.h"
#include "controls/edithelper.h"
#include "controls/transparentlistbox.h"
#include "support/profilebytes.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::u16string>;

constexpr QRgb kBackground = 0xFF203040;
constexpr QRgb kClose = 0xFF50A010;
constexpr QRgb kNew = 0xFF106090;
constexpr QRgb kDelete = 0xFF901060;

// A "Config/" skin of solid pictures, so a pixel tells which one lies there.
void writeSkin(const fs::path& resources) {
    struct Picture {
        const char* name;
        int w, h;
        QRgb colour;
    };
    const Picture pictures[] = {{"Config.png", 264, 632, kBackground},
                                {"button-close-normal.png", 17, 16, kClose},
                                {"New.png", 67, 50, kNew},
                                {"Delete.png", 67, 50, kDelete}};
    for (const char* language : {"english", "chinese"}) {
        const fs::path folder = resources / "png" / language / "Config";
        fs::create_directories(folder);
        for (const Picture& p : pictures) {
            QImage image(p.w, p.h, QImage::Format_RGB32);
            image.fill(p.colour);
            image.save(QString::fromStdString((folder / p.name).string()), "PNG");
        }
    }
}

// Picks a menu item with the keyboard, as a person can.
void choose(QMenu& menu, int item) {
    menu.setActiveAction(menu.actions()[item]);
    QTest::keyClick(&menu, Qt::Key_Return);
}

class ConfigureDlgTest : public ::testing::Test {
protected:
    void SetUp() override { writeSkin(dir.path()); }
    fs::path folder() const { return dir.path() / "Configure"; }
    void profile(const std::string& name, unsigned seed = 1) {
        fs::create_directories(folder());
        test::writeBytes(folder() / (name + ".bin"), test::profileBytes(206920, seed));
    }
    void open(std::int16_t language = kLanguageEnglish, QRect main = QRect(100, 200, 1000, 645)) {
        dlg = std::make_unique<CConfigureDlg>(*image, dialogs, DataFolders{dir.path(), dir.path()}, language);
        dlg->OnInitDialog(main);
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    QStringList listed() const {
        QStringList out;
        for (int i = 0; i < dlg->list()->count(); ++i) out << dlg->list()->GetText(i);
        return out;
    }
    QPoint itemCentre(int index) const { return dlg->list()->itemRectangle(index).center(); }
    void click(QPoint at) { QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, at); }
    // Runs `act` on the context menu once it is open over item `index`.
    void withContextMenu(int index, const std::function<void(QMenu&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            seen = true;
            act(*menu);
        });
        QTest::mousePress(dlg->list()->viewport(), Qt::RightButton, {}, itemCentre(index));
        EXPECT_TRUE(seen);
    }
    void rename(int index, const QString& text) {
        QWidget* viewport = dlg->list()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, itemCentre(index));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, itemCentre(index));
        ASSERT_NE(dlg->list()->editor(), nullptr);
        QLineEdit* editor = dlg->list()->editor();
        editor->selectAll();
        // Typed where the test keyboard has the keys; pasted otherwise.
        bool ascii = true;
        for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
        if (ascii) QTest::keyClicks(editor, text);
        else editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<CConfigureDlg> dlg;
};

TEST_F(ConfigureDlgTest, SitsOnePixelLeftOfAndAboveTheMainWindowAtItsPicturesSize) {
    open(kLanguageEnglish, QRect(100, 200, 1000, 645));
    EXPECT_EQ(dlg->pos(), QPoint(99, 199));
    EXPECT_EQ(dlg->size(), QSize(264, 632));
    EXPECT_EQ(dlg->list()->geometry(), QRect(1, 34, 260, 540));
    EXPECT_EQ(dlg->list()->mode(), ListBoxMode::ParentBackground);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Profile"));
    EXPECT_TRUE(dlg->isModal());
}

TEST_F(ConfigureDlgTest, ThePictureHoldsTheSkinButtonsAndTextsOfTheLanguage) {
    struct Case {
        std::int16_t language;
        QString title;
    };
    QImage english;
    for (const Case& c : {Case{kLanguageEnglish, "Profile"}, Case{kLanguageChinese, QString::fromUtf8("配置")}}) {
        open(c.language);
        const QImage& canvas = dlg->canvas();
        EXPECT_EQ(dlg->windowTitle(), c.title);
        EXPECT_EQ(canvas.pixel(5, 300), kBackground);
        EXPECT_EQ(canvas.pixel(250, 23), kClose);
        EXPECT_EQ(canvas.pixel(14, 622), kNew);
        EXPECT_EQ(canvas.pixel(184, 622), kDelete);
        EXPECT_EQ(canvas.pixel(264 - 1, 631), kBackground);
        // The title and labels are drawn over their pictures.
        const auto touched = [&](QRect r, QRgb under) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (canvas.pixel(x, y) != under) return true;
            return false;
        };
        EXPECT_TRUE(touched(QRect(10, 10, 40, 15), kBackground));
        EXPECT_TRUE(touched(QRect(30, 578, 30, 16), kNew));
        EXPECT_TRUE(touched(QRect(200, 578, 30, 16), kDelete));
        if (c.language == kLanguageEnglish) english = canvas.copy(0, 0, 100, 30);
        else EXPECT_NE(canvas.copy(0, 0, 100, 30), english);
    }
}

TEST_F(ConfigureDlgTest, ButtonsActOnReleaseAndCloseEndsTheDialogWithOk) {
    open();
    click(QPoint(40, 600));  // New
    click(QPoint(40, 600));
    EXPECT_EQ(listed(), (QStringList{"Profile_1", "Profile_2"}));
    EXPECT_TRUE(fs::exists(folder() / "Profile_2.bin"));
    click(QPoint(200, 600));  // Delete without a selection
    EXPECT_EQ(dialogs.messages, Texts{u"Please select a profile to delete\n"});
    QTest::mouseClick(dlg->list()->viewport(), Qt::LeftButton, {}, itemCentre(1));
    EXPECT_EQ(dlg->panel().selection(), 1);
    click(QPoint(200, 600));
    EXPECT_EQ(dialogs.questions, Texts{u"Delete current profile ?"});
    EXPECT_EQ(listed(), QStringList{"Profile_1"});
    EXPECT_FALSE(fs::exists(folder() / "Profile_2.bin"));
    click(QPoint(255, 17));  // close
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(ConfigureDlgTest, EnterNeverClosesThePanel) {
    profile("a");
    open();
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    QTest::keyClick(dlg->list(), Qt::Key_Enter);
    EXPECT_TRUE(dlg->isVisible());
    rename(0, "b");  // Enter in the editor ends the edit only
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(listed(), QStringList{"b"});
    // Escape in the editor drops the edit and leaves the panel open.
    QWidget* viewport = dlg->list()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, itemCentre(0));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, itemCentre(0));
    ASSERT_NE(dlg->list()->editor(), nullptr);
    QTest::keyClicks(dlg->list()->editor(), "zzz");
    QTest::keyClick(dlg->list()->editor(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(listed(), QStringList{"b"});
    EXPECT_TRUE(fs::exists(folder() / "b.bin"));
}

TEST_F(ConfigureDlgTest, ARightClickDuringARenameKeepsTheRenameAndSelectsThePointedProfile) {
    profile("a", 1);
    profile("b", 2);
    open();
    QWidget* viewport = dlg->list()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, itemCentre(0));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, itemCentre(0));
    ASSERT_NE(dlg->list()->editor(), nullptr);
    dlg->list()->editor()->selectAll();
    QTest::keyClicks(dlg->list()->editor(), "c");
    withContextMenu(0, [](QMenu& menu) { choose(menu, 4); });  // Delete what is now row 0: "b"
    EXPECT_EQ(dialogs.questions, Texts{u"Delete current profile ?"});
    EXPECT_EQ(listed(), QStringList{"c"});
    EXPECT_EQ(test::readBytes(folder() / "c.bin"), test::profileBytes(206920, 1));
}

TEST_F(ConfigureDlgTest, TheContextMenuActsOnTheProfileUnderThePointer) {
    for (const auto& [language, texts] :
         {std::pair{kLanguageEnglish, QStringList{"New", "Copy", "Save", "Load", "Delete"}},
          std::pair{kLanguageChinese, QString::fromUtf8("新建 复制 保存 加载 删除").split(' ')}}) {
        fs::remove_all(folder());
        profile("a", 1);
        profile("b", 2);
        open(language);
        withContextMenu(1, [&](QMenu& menu) {
            QStringList shown;
            for (QAction* a : menu.actions()) shown << a->text();
            EXPECT_EQ(shown, texts);
            choose(menu, 1);  // Copy
        });
        const QString prefix = language == kLanguageChinese ? QString::fromUtf8("复制  ") : QStringLiteral("Copy of  ");
        EXPECT_TRUE(listed().contains(prefix + "b")) << listed().join('|').toStdString();
        EXPECT_EQ(test::readBytes(folder() / (prefix + "b.bin").toStdString()),
                  test::profileBytes(206920, 2));
    }
}

TEST_F(ConfigureDlgTest, RenameInPlaceMovesTheFileAndATakenNameIsUndone) {
    profile("a", 1);
    profile("b", 2);
    open();
    rename(0, "b");
    EXPECT_EQ(dialogs.messages, Texts{u"A profile with this name exists already."});
    EXPECT_EQ(listed(), (QStringList{"a", "b"}));
    EXPECT_EQ(test::readBytes(folder() / "a.bin"), test::profileBytes(206920, 1));
    rename(0, QString::fromUtf8("Zocken 配置"));
    EXPECT_EQ(listed(), (QStringList{"b", QString::fromUtf8("Zocken 配置")}));
    EXPECT_EQ(test::readBytes(folder() / "Zocken 配置.bin"), test::profileBytes(206920, 1));
    EXPECT_FALSE(fs::exists(folder() / "a.bin"));
}

TEST_F(ConfigureDlgTest, SaveAndLoadFromTheMenuUseTheInjectedChoosers) {
    profile("a", 1);
    profile("b", 2);
    open();
    image->working.mouseData.GameMode = 1;
    dialogs.files = {dir.path() / "export.bin"};
    withContextMenu(0, [](QMenu& menu) { choose(menu, 2); });  // Save
    EXPECT_EQ(test::readBytes(folder() / "a.bin").at(offsetof(MouseData, GameMode)), 1);
    EXPECT_EQ(test::readBytes(dir.path() / "export.bin"), test::readBytes(folder() / "a.bin"));

    dialogs.files = {folder() / "b.bin"};
    withContextMenu(0, [](QMenu& menu) { choose(menu, 3); });  // Load
    EXPECT_EQ(image->working.mouseData.GameMode, test::profileBytes(206920, 2)[offsetof(MouseData, GameMode)]);
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace orvane
