#include "engine/install_plan.h"

#include "platform/text.h"

namespace engine {

namespace {

// The option boxes' shortcuts, by option.
struct Link {
  const char* name;
  const char* shellFolder;
  const char* description;
};
constexpr Link kLinks[kOptionCount] = {
    {"Vortel", "Desktop", "Emulator terminala Vortel"},
    {"Norvik-FTP", "Desktop", "Klient FTP firmy Norvik-Soft"},
    {"Serwer FTP", "Startup", "Serwer FTP firmy Norvik-Soft"},
};

struct ListStep {
  const FileList& list;
  int slot;
  bool wanted;
};

}  // namespace

RunPlan PlanInstallation(const InstallChoices& choices, const Folders& folders,
                         const std::string& uninstallFolder) {
  RunPlan plan;
  plan.products = choices.products;
  plan.folders = folders;
  plan.uninstallFolder = uninstallFolder;
  const ProductChoice& chosen = choices.products;
  auto add = [&](StepKind kind, const std::string& folder, int product = -1) {
    RunStep step;
    step.kind = kind;
    step.folder = folder;
    step.product = product;
    plan.steps.push_back(step);
    return &plan.steps.back();
  };
  for (int slot = 0; slot < static_cast<int>(folders.size()); ++slot)
    if (SlotInUse(slot, chosen)) add(StepKind::Folder, folders[slot]);

  // The file lists in the order they are installed.
  const ListStep lists[] = {
      {CommonFiles, 0, true},
      {FtpServerFiles, SlotOf(kFtpServer), chosen[kFtpServer]},
      {FtpBatchFiles, SlotOf(kFtpBatch), chosen[kFtpBatch]},
      {FtpClientFiles, SlotOf(kFtpClient), chosen[kFtpClient]},
      {FtpManualFiles, SlotOf(kFtpClient), chosen[kFtpClient] || chosen[kFtpBatch]},
      {VortelFiles, SlotOf(kVortel), chosen[kVortel]},
  };
  for (const ListStep& list : lists) {
    if (list.wanted) add(StepKind::Files, folders[list.slot])->files = &list.list;
    if (&list.list == &CommonFiles)
      add(StepKind::Files, uninstallFolder)->files = &UninstallerFiles;
  }

  for (int option = 0; option < kOptionCount; ++option) {
    const int product = Options[option].product;
    if (!choices.options[option]) continue;
    RunStep* step = add(StepKind::Shortcut, folders[SlotOf(product)]);
    step->linkName = kLinks[option].name;
    step->program = Products[product].program;
    step->shellFolder = kLinks[option].shellFolder;
    step->description = kLinks[option].description;
  }
  for (int product : {kVortel, kFtpClient, kFtpBatch, kFtpServer})
    if (chosen[product]) add(StepKind::Configure, folders[SlotOf(product)], product);
  for (int product : {kFtpServer, kFtpBatch, kFtpClient, kVortel})
    if (chosen[product]) add(StepKind::Register, folders[SlotOf(product)], product);
  if (choices.programGroup) add(StepKind::ProgramGroup, folders[0]);
  return plan;
}

std::string LongestPath(const RunStep& step) {
  std::string longest;
  size_t units = 0;
  for (const std::string& entry : *step.files) {
    if (entry.empty() || KindOf(entry) == EntryKind::Installer) continue;
    const size_t length = plat::Utf8ToUtf16(entry).size();
    if (length > units) {
      units = length;
      longest = entry;
    }
  }
  return step.folder + longest;
}

}  // namespace engine
