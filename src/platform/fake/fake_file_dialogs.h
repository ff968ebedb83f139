#pragma once
// The file and folder pickers for the native tests: each answers from its own queue of scripted
// answers (cancelled when the queue is empty) and keeps every request for assertions.
#include <deque>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace fake {

struct PickerAnswer {
    bool chosen = false; // false: the user cancelled
    std::u16string path;
};

struct FilePickRequest {
    platform::WindowHandle owner = 0;
    std::u16string title;
    std::u16string initialFolder;
    std::u16string filterDescription;
    std::u16string filterPatterns;
};

struct FolderPickRequest {
    platform::WindowHandle owner = 0;
    std::u16string title;
    std::u16string startFolder;
};

struct FileDialogsState {
    std::deque<PickerAnswer> fileAnswers;
    std::deque<PickerAnswer> folderAnswers;
    std::vector<FilePickRequest> fileRequests; // the last one is back()
    std::vector<FolderPickRequest> folderRequests;
    int unscripted = 0; // pickers opened with no answer scripted (they answer "cancelled")
};

FileDialogsState& fileDialogs();
void resetFileDialogs();

// Helpers for tests: the next answer of the open-file dialog or of the folder browser.
void answerFilePicker(const std::u16string& path);
void cancelFilePicker();
void answerFolderPicker(const std::u16string& path);
void cancelFolderPicker();

} // namespace fake
