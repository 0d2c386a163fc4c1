// The modal dialogs every window of the utility asks the person for: message
// boxes, the colour chooser and the file and folder choosers. The windows
// get one injected; the desktop version shows Qt dialogs, tests script the
// answers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "keyboardstate/rgb.h"

namespace orvane {

// One open- or save-file chooser. Filters use Qt's syntax
// ("Wave (*.wav);;All files (*)"); selectedFilter is the filter shown first
// and, after an answer, the one the person last picked.
struct FileRequest {
    std::u16string title;
    std::u16string filters;
    std::u16string selectedFilter;
    std::filesystem::path folder;       // where the chooser starts; empty: the current folder
    std::u16string initialName;         // file name proposed in the name box
    std::u16string defaultSuffix;       // appended when the typed name has none (no dot)
    bool mustExist = true;              // open: only an existing file is accepted
    // Checked before a choice is accepted: a non-empty text refuses the file;
    // the chooser shows the text (with refusalCaption) and stays open.
    std::function<std::u16string(const std::filesystem::path&)> refuse;
    std::u16string refusalCaption;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal message box with OK.
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;
    // The same box without waiting for the answer (the caller goes on at once).
    virtual void showNotice(std::u16string_view text, std::u16string_view caption) = 0;
    // Question with OK and Cancel; true for OK.
    virtual bool confirm(std::u16string_view text, std::u16string_view caption) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool askYesNo(std::u16string_view text, std::u16string_view caption) = 0;
    // Colour chooser starting from black; nothing when cancelled.
    virtual std::optional<Rgb> chooseColor() = 0;
    virtual std::optional<std::filesystem::path> openFile(FileRequest& request) = 0;
    virtual std::optional<std::filesystem::path> saveFile(FileRequest& request) = 0;
    virtual std::optional<std::filesystem::path> chooseFolder(std::u16string_view title,
                                                              const std::filesystem::path& start) = 0;
};

}  // namespace orvane
