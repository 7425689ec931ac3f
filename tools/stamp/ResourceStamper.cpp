#include "ResourceStamper.h"

#include <windows.h>

#include <utility>

#include "app/Handles.h"
#include "app/ResourceData.h"
#include "app/SystemError.h"
#include "app/TemporaryFile.h"
#include "base/Exceptions.h"
#include "feed/FeedKey.h"
#include "stamp/StampOptions.h"

namespace tolvar {

namespace {

// Not every failing call sets a reason (resource updates on a file that is no program, say).
[[noreturn]] void Fail(const std::string& what) {
    const DWORD code = GetLastError();
    throw Exception(code ? what + ": " + SystemErrorMessage(code) : what);
}

// An open resource update is discarded unless it was committed.
class ResourceUpdate {
public:
    explicit ResourceUpdate(const std::string& file) {
        SetLastError(0);  // a refusal may give no reason of its own
        handle_ = BeginUpdateResourceA(file.c_str(), FALSE);
    }
    ~ResourceUpdate() {
        if (handle_) EndUpdateResourceA(handle_, TRUE);
    }
    ResourceUpdate(const ResourceUpdate&) = delete;
    ResourceUpdate& operator=(const ResourceUpdate&) = delete;
    explicit operator bool() const { return handle_ != nullptr; }

    bool Write(const char* name, const std::string& data) {
        return UpdateResourceA(handle_, MAKEINTRESOURCEA(10), name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                               const_cast<char*>(data.data()), DWORD(data.size())) != FALSE;
    }
    bool Commit() { return EndUpdateResourceA(std::exchange(handle_, nullptr), FALSE) != FALSE; }

private:
    HANDLE handle_;
};

void Verify(const std::string& file, const char* name, const std::string& expected) {
    UniqueModule module(LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) Fail("cannot read back the stamped copy \"" + file + "\"");
    if (ReadResourceData(name, module.Get()) != expected)
        throw Exception(std::string("the stamped copy does not carry the ") + name + " just written");
}

}  // namespace

void StampResources(const std::string& input, const std::string& output, const std::string& sealedSettings,
                    const std::optional<std::string>& updateRoot, const std::optional<std::string>& feedKey) {
    const DWORD attributes = GetFileAttributesA(input.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) Fail("cannot open the program \"" + input + "\"");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw Exception("\"" + input + "\" is a folder, not a program");

    // The copy is made under a temporary name and deleted on every way out unless moved into place.
    const std::string folder = DirectoryOf(output);
    TTemporaryFile temporary(folder, "tst");
    if (!temporary) Fail("cannot write \"" + output + "\" (no temporary file in \"" + folder + "\")");

    if (!CopyFileA(input.c_str(), temporary.Path().c_str(), FALSE))
        Fail("cannot copy \"" + input + "\" to \"" + temporary.Path() + "\"");
    {
        ResourceUpdate update(temporary.Path());
        if (!update) Fail("cannot write resources into a copy of \"" + input + "\" (is it a Windows program?)");
        if (!update.Write(SettingsResourceName, sealedSettings)) Fail("cannot write the SETTINGS resource");
        if (updateRoot && !update.Write(UpdateRootResourceName, *updateRoot))
            Fail("cannot write the UPDATEROOT resource");
        if (feedKey && !update.Write(FeedKeyResourceName, *feedKey)) Fail("cannot write the FEEDKEY resource");
        if (!update.Commit()) Fail("cannot write the resources into \"" + temporary.Path() + "\"");
    }
    Verify(temporary.Path(), SettingsResourceName, sealedSettings);
    if (updateRoot) Verify(temporary.Path(), UpdateRootResourceName, *updateRoot);
    if (feedKey) Verify(temporary.Path(), FeedKeyResourceName, *feedKey);

    if (!temporary.MoveOver(output)) Fail("cannot write \"" + output + "\"");
}

}  // namespace tolvar
