// make_shortcut.exe: writes a shell shortcut file for the import tests, as the shell would save it.
//
//   make_shortcut LINK TARGET [--args TEXT] [--dir FOLDER]   a shortcut to a file or folder
//   make_shortcut LINK --computer                            a shortcut to "Computer" (no file-system target)
//
// Exit codes: 0 written, 1 a COM call failed (its name and HRESULT on stderr), 2 bad usage.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

int failed(const wchar_t* what, HRESULT hr) {
    fwprintf(stderr, L"make_shortcut: %ls failed (0x%08lx)\n", what, static_cast<unsigned long>(hr));
    return 1;
}

int write(const std::wstring& link, const std::wstring& target, bool computer, const std::wstring& args,
          const std::wstring& dir) {
    IShellLinkW* shortcut = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&shortcut));
    if (FAILED(hr)) return failed(L"CoCreateInstance", hr);
    int rc = 0;
    if (computer) {
        PIDLIST_ABSOLUTE items = nullptr;
        hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &items);
        if (SUCCEEDED(hr)) {
            hr = shortcut->SetIDList(items);
            CoTaskMemFree(items);
        }
        if (FAILED(hr)) rc = failed(L"SetIDList", hr);
    } else if (FAILED(hr = shortcut->SetPath(target.c_str()))) {
        rc = failed(L"SetPath", hr);
    }
    if (rc == 0 && !args.empty() && FAILED(hr = shortcut->SetArguments(args.c_str()))) rc = failed(L"SetArguments", hr);
    if (rc == 0 && !dir.empty() && FAILED(hr = shortcut->SetWorkingDirectory(dir.c_str())))
        rc = failed(L"SetWorkingDirectory", hr);
    IPersistFile* file = nullptr;
    if (rc == 0 && FAILED(hr = shortcut->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        rc = failed(L"QueryInterface", hr);
    if (rc == 0 && FAILED(hr = file->Save(link.c_str(), TRUE))) rc = failed(L"Save", hr);
    if (file) file->Release();
    shortcut->Release();
    return rc;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring link = argv[1];
    const std::wstring target = argv[2];
    const bool computer = target == L"--computer";
    std::wstring args, dir;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--args") args = argv[i + 1];
        else if (option == L"--dir") dir = argv[i + 1];
        else return 2;
    }
    if ((argc - 3) % 2 != 0) return 2;
    if (FAILED(CoInitialize(nullptr))) return failed(L"CoInitialize", E_FAIL);
    const int rc = write(link, target, computer, args, dir);
    CoUninitialize();
    return rc;
}
