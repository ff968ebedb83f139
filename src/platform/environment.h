#pragma once
// Process environment, current directory, module path, drives, locale and casing, and the clock.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handles.h"

namespace platform {

std::u16string moduleFileName();     // the running program's full path
std::u16string processCommandLine(); // the whole command line, program name included

bool getEnvironmentVariable(std::u16string_view name, std::u16string& value);
bool setEnvironmentVariable(std::u16string_view name, std::u16string_view value);

// Expands %NAME% references; undefined names stay with their "%" signs. Never truncates: a long
// result comes back whole. false when the system refuses the expansion, and when the text or its result
// is longer than the system expands (MaxExpansionChars, the terminating zero included).
bool expandEnvironmentStrings(std::u16string_view text, std::u16string& result);
constexpr std::size_t MaxExpansionChars = 32767;
// Completes a path against the current directory or drive (text only; the path need not exist).
// false when the system refuses.
bool fullPathName(std::u16string_view path, std::u16string& result);

std::u16string currentDirectory();
bool setCurrentDirectory(std::u16string_view directory);

enum DriveType : int { DriveUnknown = 0, DriveNoRoot = 1, DriveRemovable = 2, DriveFixed = 3, DriveRemote = 4,
                       DriveCdrom = 5, DriveRamDisk = 6 };
int driveType(std::u16string_view drive); // drive as "X:"

std::u16string localeNativeLanguageName();

std::u16string lowerCase(std::u16string_view text);
std::u16string upperCase(std::u16string_view text);

std::uint64_t tickCount(); // milliseconds since system start
void sleepMs(std::uint32_t ms);

} // namespace platform
