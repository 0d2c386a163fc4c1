// Dialogs answered by the test instead of a person: each kind of dialog
// counts its calls, records what it was asked and gives the scripted answer.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop/dialogs.h"

namespace orvane::test {

class ScriptedDialogs : public Dialogs {
public:
    std::vector<std::u16string> messages;       // texts of message boxes and notices
    std::vector<std::u16string> questions;      // texts of confirm and yes/no questions
    std::deque<bool> answers;                   // next answers to questions; empty: yes
    std::optional<Rgb> colour;                  // the colour chooser's answer
    // Open/save answers; empty: cancel. An answer the request refuses is
    // told (in messages) and the next one is taken, as the chooser stays open.
    std::deque<std::optional<std::filesystem::path>> files;
    std::vector<FileRequest> fileRequests;
    std::optional<std::filesystem::path> folder;  // the folder chooser's answer
    int colourRequests = 0;

    void showMessage(std::u16string_view text, std::u16string_view) override { messages.emplace_back(text); }
    void showNotice(std::u16string_view text, std::u16string_view) override { messages.emplace_back(text); }
    bool confirm(std::u16string_view text, std::u16string_view) override { return answer(text); }
    bool askYesNo(std::u16string_view text, std::u16string_view) override { return answer(text); }
    std::optional<Rgb> chooseColor() override {
        ++colourRequests;
        return colour;
    }
    std::optional<std::filesystem::path> openFile(FileRequest& request) override { return file(request); }
    std::optional<std::filesystem::path> saveFile(FileRequest& request) override { return file(request); }
    std::optional<std::filesystem::path> chooseFolder(std::u16string_view, const std::filesystem::path&) override {
        return folder;
    }

private:
    bool answer(std::u16string_view text) {
        questions.emplace_back(text);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::filesystem::path> file(FileRequest& request) {
        fileRequests.push_back(request);
        while (!files.empty()) {
            auto f = files.front();
            files.pop_front();
            if (!f || !request.refuse) return f;
            const std::u16string refusal = request.refuse(*f);
            if (refusal.empty()) return f;
            messages.push_back(refusal);
        }
        return std::nullopt;
    }
};

}  // namespace orvane::test
