#include "platform/win32/shell_links.h"

#include <windows.h>

#include <shlobj.h>

#include <utility>

#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace plat::win32 {
namespace {

uint32_t Result(HRESULT hr) {
  return static_cast<uint32_t>(hr);
}

// The shell link object and its file interface, created together.
HRESULT CreateLink(ComPtr<IShellLinkW>& link, ComPtr<IPersistFile>& file) {
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid());
  if (hr != S_OK) return hr;
  return link->QueryInterface(IID_IPersistFile, file.PutVoid());
}

class Win32ShellLink : public ShellLinkObject {
 public:
  Win32ShellLink(ComPtr<IShellLinkW> link, ComPtr<IPersistFile> file)
      : link_(std::move(link)), file_(std::move(file)) {}

  uint32_t SetPath(const std::string& target) override {
    return Result(link_->SetPath(Wide(target).c_str()));
  }
  uint32_t SetArguments(const std::string& arguments) override {
    return Result(link_->SetArguments(Wide(arguments).c_str()));
  }
  uint32_t SetWorkingDirectory(const std::string& folder) override {
    return Result(link_->SetWorkingDirectory(Wide(folder).c_str()));
  }
  uint32_t SetDescription(const std::string& description) override {
    return Result(link_->SetDescription(Wide(description).c_str()));
  }
  uint32_t SetIconLocation(const std::string& file, int index) override {
    return Result(link_->SetIconLocation(Wide(file).c_str(), index));
  }
  uint32_t Save(const std::string& linkPath) override {
    return Result(file_->Save(Wide(linkPath).c_str(), TRUE));
  }

 private:
  ComPtr<IShellLinkW> link_;
  ComPtr<IPersistFile> file_;
};

std::string Field(HRESULT hr, const wchar_t* text) {
  return hr == S_OK ? Narrow(text, wcsnlen(text, INFOTIPSIZE)) : std::string();
}

}  // namespace

uint32_t Win32ShellLinks::Create(std::unique_ptr<ShellLinkObject>& link) {
  link.reset();
  ComPtr<IShellLinkW> shellLink;
  ComPtr<IPersistFile> file;
  const HRESULT hr = CreateLink(shellLink, file);
  if (hr == S_OK) link = std::make_unique<Win32ShellLink>(std::move(shellLink), std::move(file));
  return Result(hr);
}

bool Win32ShellLinks::Read(const std::string& linkPath, ShellLinkInfo& info) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (CreateLink(link, file) != S_OK) return false;
  if (file->Load(Wide(linkPath).c_str(), STGM_READ) != S_OK) return false;
  // INFOTIPSIZE (1024) holds every field the shell lets a link keep.
  wchar_t text[INFOTIPSIZE] = {};
  info = ShellLinkInfo();
  info.target = Field(link->GetPath(text, INFOTIPSIZE, nullptr, SLGP_RAWPATH), text);
  text[0] = L'\0';
  info.arguments = Field(link->GetArguments(text, INFOTIPSIZE), text);
  text[0] = L'\0';
  info.workingDir = Field(link->GetWorkingDirectory(text, INFOTIPSIZE), text);
  text[0] = L'\0';
  info.description = Field(link->GetDescription(text, INFOTIPSIZE), text);
  text[0] = L'\0';
  int index = 0;
  info.iconFile = Field(link->GetIconLocation(text, INFOTIPSIZE, &index), text);
  info.iconIndex = index;
  return true;
}

uint32_t Win32ShellLinks::LastError() {
  return GetLastError();
}

}  // namespace plat::win32
