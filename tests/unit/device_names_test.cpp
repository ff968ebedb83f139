// Paths that name a device are never opened as a menu, an icon source or anything else: opening one may
// wait for ever. The rule is plain text, so it is checked here as a table.
#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/device_names.h"

namespace {

TEST(DeviceNames, DevicesInAnyFolderWithAnyExtensionAndTheDeviceNamespace) {
    struct Row {
        std::u16string path;
        bool device;
    };
    const Row rows[] = {
        {u"C:\\Menus\\COM1.lst", true},  {u"C:\\Menus\\com9", true},      {u"nul", true},
        {u"C:\\x\\Con .txt", true},      {u"C:\\x\\aux.tar.gz", true},   {u"C:\\x\\CONOUT$", true},
        {u"C:\\LPT3\\menu.lst", false},  {u"C:\\x\\COM0.lst", false},
        {u"C:\\x\\COM10.lst", false},    {u"C:\\x\\console.lst", false},  {u"C:\\x\\nul\\", false},
        {u"\\\\.\\NUL", true},           {u"\\\\.\\pipe\\x", true},       {u"\\\\?\\PhysicalDrive0", true},
        {u"\\\\?\\C:\\m.lst", false},    {u"//?/UNC/srv/m.lst", false},   {u"\\\\srv\\share\\m.lst", false},
        {u"C:\\Menus\\Vorlix.lst", false}, {u"", false},
    };
    for (const Row& row : rows) EXPECT_EQ(platform::namesDevice(row.path), row.device) << vorlix::toUtf8(row.path);
}

} // namespace
