// The desktop's own dialogs behind the Dialogs interface. Each dialog is
// parented to the window that is active when it opens, so it stays in front
// of the panel that asked.
#pragma once

#include "platform/desktop/dialogs.h"

namespace orvane {

class QtDialogs : public Dialogs {
public:
    void showMessage(std::u16string_view text, std::u16string_view caption) override;
    void showNotice(std::u16string_view text, std::u16string_view caption) override;
    bool confirm(std::u16string_view text, std::u16string_view caption) override;
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
    std::optional<Rgb> chooseColor() override;
    std::optional<std::filesystem::path> openFile(FileRequest& request) override;
    std::optional<std::filesystem::path> saveFile(FileRequest& request) override;
    std::optional<std::filesystem::path> chooseFolder(std::u16string_view title,
                                                      const std::filesystem::path& start) override;
};

}  // namespace orvane
