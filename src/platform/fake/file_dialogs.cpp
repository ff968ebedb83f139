#include "platform/file_dialogs.h"

#include "platform/fake/fake_file_dialogs.h"

namespace fake {

FileDialogsState& fileDialogs() {
    static FileDialogsState state;
    return state;
}

void resetFileDialogs() { fileDialogs() = FileDialogsState{}; }

void answerFilePicker(const std::u16string& path) { fileDialogs().fileAnswers.push_back({true, path}); }
void cancelFilePicker() { fileDialogs().fileAnswers.push_back({false, {}}); }
void answerFolderPicker(const std::u16string& path) { fileDialogs().folderAnswers.push_back({true, path}); }
void cancelFolderPicker() { fileDialogs().folderAnswers.push_back({false, {}}); }

namespace {

bool answer(std::deque<PickerAnswer>& answers, std::u16string& path) {
    if (answers.empty()) {
        ++fileDialogs().unscripted;
        return false;
    }
    PickerAnswer next = answers.front();
    answers.pop_front();
    if (next.chosen) path = next.path; // a cancelled dialog leaves the caller's path alone
    return next.chosen;
}

} // namespace

} // namespace fake

namespace platform {

bool pickFileToOpen(WindowHandle owner, const std::u16string& title, const std::u16string& initialFolder,
                    const std::u16string& filterDescription, const std::u16string& filterPatterns,
                    std::u16string& path) {
    fake::fileDialogs().fileRequests.push_back({owner, title, initialFolder, filterDescription, filterPatterns});
    return fake::answer(fake::fileDialogs().fileAnswers, path);
}

bool pickFolder(WindowHandle owner, const std::u16string& title, const std::u16string& startFolder,
                std::u16string& path) {
    fake::fileDialogs().folderRequests.push_back({owner, title, startFolder});
    return fake::answer(fake::fileDialogs().folderAnswers, path);
}

} // namespace platform
