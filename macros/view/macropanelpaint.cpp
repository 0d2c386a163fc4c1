#include "macros/view/macropanelpaint.h"

#include "drawing/skincanvas.h"
#include "drawing/skinimages.h"
#include "macros/model/macropanelcontroller.h"
#include "keyboardstate/settingsimage.h"
#include "platform/desktop/qtstrings.h"

namespace orvane {
namespace {

constexpr int kTitleHeight = 18;
constexpr int kTextHeight = 15;

class PanelPainter {
public:
    PanelPainter(SkinCanvas& canvas, bool chinese) : canvas_(canvas), chinese_(chinese) {}

    void text(const char* zh, const char* en, int x, int y, int height = kTextHeight) {
        line(chinese_ ? zh : en, x, y, height);
    }
    void line(const char* utf8, int x, int y, int height = kTextHeight) {
        canvas_.DrawSkinText(QString::fromUtf8(utf8), x, y, kWhite, height);
    }
    void region(const MacroBmpInformation& table, int r, std::u16string_view image) {
        canvas_.DrawSkinImage(image, table[r].left, table[r].top);
    }

    SkinCanvas& canvas_;
    bool chinese_;
};

}  // namespace

void paintMacroPanel(QImage& canvas, SkinImages& skin, const MacroPanelController& panel) {
    const QImage background = skin.image(u"MacroManagement.png");
    if (background.isNull()) {
        canvas = QImage(kMacroPanelFallbackSize, QImage::Format_RGB32);
        canvas.fill(Qt::black);
    } else {
        canvas = background.copy();
    }
    const MacroSession& session = panel.session();
    const MacroBmpInformation& regions = panel.regions();
    const bool chinese = panel.languageCode() == kLanguageChinese;
    SkinCanvas out(canvas, skin);
    PanelPainter p(out, chinese);
    // The checkboxes show the options themselves.
    const auto check = [&regions](int r, bool on) { return regions[r].images[on ? 1 : 0]; };

    p.text("宏管理器", "Macro Manager", 16, 9, kTitleHeight);
    p.text("选择宏", "Select Macro", 39, 60);
    p.text("按键系列", "Keystrobe Sequence", 151, 60);
    p.text("录制选项", "Options", 311, 60);

    p.region(regions, kMacroRegionRecord, regions[kMacroRegionRecord].image());
    const bool englishStart = !chinese && !session.recording;
    out.DrawSkinText(qs(recordButtonLabel(session.recording, panel.languageCode())), englishStart ? 291 : 310,
                     103, kWhite, kTextHeight);

    if (chinese) {
        p.line("记录按键动作", 290, 168);
        p.line("间的延迟", 290, 184);
    } else {
        p.line("Record Delay", 290, 153);
        p.line("between", 290, 168);
        p.line("keystrokes", 290, 183);
    }

    p.region(regions, kMacroRegionLoops, check(kMacroRegionLoops, session.loopsOption()));
    p.text("循环次数", "Number of Loops", 295, 300);

    p.region(regions, kMacroRegionNew, regions[kMacroRegionNew].image());
    p.text("新建", "New", 35, 372);
    p.region(regions, kMacroRegionDelete, regions[kMacroRegionDelete].image());
    p.text("删除", "Delete", 95, 372);
    p.region(regions, kMacroRegionOk, regions[kMacroRegionOk].image());
    p.text("确认", "OK", 300, 404);
    p.region(regions, kMacroRegionCancel, regions[kMacroRegionCancel].image());
    p.text("取消", "Cancel", 352, 404);

    p.region(regions, kMacroRegionRecordDelay, check(kMacroRegionRecordDelay, session.recordDelay()));
}

}  // namespace orvane
