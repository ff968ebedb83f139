#pragma once
// The command line: tokenizer and switch parser.
#include <string>

namespace vorlix {

// Takes the next argument off app.commandLineRest; "" when the text is used up (and ever after).
std::u16string nextArgument();
// Parses every remaining argument into app (options, position, time-out, menu file, "file"/"dir"),
// then resolves the menu file path and sets the working directory.
void parseCommandLine();

} // namespace vorlix
