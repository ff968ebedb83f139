// Feeds arbitrary bytes through everything that reads menu text: the reader (as a menu file), header
// completion, the decoder of every entry, both expansions, and the command-line tokenizer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "menufile/decode_entry.h"
#include "menufile/encoding.h"
#include "menufile/expansion.h"
#include "menufile/reader.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_files.h"
#if VORLIX_FUZZ_COMMAND_LINE
#include "app/command_line.h"
#endif

using namespace vorlix;

namespace {

// A broken invariant is a finding: stop with a crash that libFuzzer records.
void require(bool condition) {
    if (!condition) std::abort();
}

void checkEntries(bool loaded) {
    // lineNumber counts the accepted lines, plus the failing one after a syntax error.
    require(app.lineNumber == static_cast<std::int64_t>(app.entries.size()) + (loaded ? 0 : 1));
    for (const MenuEntry& e : app.entries) {
        require(e.label.find(u'=') == std::u16string::npos);
        require(e.label.size() < 1023);
        require(e.label.empty() || (e.label.front() != u' ' && e.label.back() != u' '));
    }
}

void checkDecoded(const MenuEntry& entry) {
    decodeEntry(entry);
    const EntryFields& e = app.currentEntry;
    require((e.kind & (e.kind - 1)) == 0); // at most one kind bit
    require(e.parameters.find(ParameterSemicolon) == std::u16string::npos);
    // Expansion only ever removes "%" pairs: at most one "%" survives.
    std::size_t percent = e.expandedCommand.find(u'%');
    require(percent == std::u16string::npos || e.expandedCommand.find(u'%', percent + 1) == std::u16string::npos);
    resolvePath(e.expandedDirectory);
    resolvePath(e.command);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    resetAppState();
    fake::resetFiles();
    fake::resetEnvironment();
    app.keywordList = u"configuration;vorlix;files;rem;cancel;submenu";
    app.menuFilePath = u"C:\\Menus\\fuzz.lst";
    fake::environment().variables[u"HOME"] = u"C:\\Users\\x";
    fake::environment().variables[u"VDRIVE"] = u"E:";
    fake::environment().variables[u"LONG"] = std::u16string(300, u'L');
    fake::putFile(app.menuFilePath, bytes);

    bool loaded = loadMenuFile();
    checkEntries(loaded);

    std::size_t before = app.entries.size();
    completeSubmenuHeaders();
    require(app.entries.size() >= before);
    std::size_t completed = app.entries.size();
    completeSubmenuHeaders(); // nothing is missing any more
    require(app.entries.size() == completed);

    for (const MenuEntry& entry : app.entries) {
        checkDecoded(entry);
        labelPlacement(entry.label);
        itemTextOf(entry.label);
    }

    // The same bytes as one text, for the helpers that take text from elsewhere.
    const std::u16string text = decodeUtf8(bytes);
    expandVariables(text);
    resolvePath(text);

#if VORLIX_FUZZ_COMMAND_LINE
    app.commandLineRest = TextCursor{text, 0};
    // A call takes at least one character off the text or finds it used up (at its end or at a zero
    // character; a quoted "" argument comes back empty but is consumed), so this many calls suffice.
    for (std::size_t calls = 0; calls <= text.size(); ++calls) {
        nextArgument();
        require(app.commandLineRest.pos <= text.size());
    }
    require(nextArgument().empty());
#endif
    return 0;
}
