// One running reference host: its database file, picture store, print manager, user interface
// (the headless one unless another is given) and the host objects handed to the plug-in, laid out
// under a data folder and an output folder.
#pragma once

#include "HostObjects.h"
#include "HostUi.h"
#include "PictureStore.h"
#include "PrintManager.h"
#include "THostMain.h"
#include "db/HostDatabase.h"

#include <filesystem>
#include <memory>

namespace tkv::host {

struct THostOptions {
    std::filesystem::path DataDir = "tkvhost-data"; // host.db and the picture store
    std::filesystem::path OutDir = "tkvhost-out";   // printed reports and what the plug-in writes
    TPacketForm Packets = TPacketForm::Binary;      // the form of the result-set packets it sends
};

class THostSession {
public:
    // Creates the folders and opens (or creates) the database. Raises HostError when it cannot.
    // The user interface, when given, stays the caller's and must outlive the session.
    explicit THostSession(const THostOptions& options, IHostUi* ui = nullptr);

    HostDatabase& Database() { return *db_; }
    TPictureStore& Pictures() { return pictures_; }
    TPrintManager& Printer() { return printer_; }
    TScriptedUi& Ui() { return ui_; }
    THostMain* Main() { return main_.Get(); }
    TExistForm* ExistForm() { return existForm_.Get(); }
    TssReport* Report() { return report_.Get(); }
    const THostOptions& Options() const { return options_; }

    // Seeds the demo records when the database holds none yet, their pictures generated into the
    // picture store; answers whether it seeded.
    bool SeedDemo();
    // Writes a generated invoice page for every picture the database lists whose file the store
    // lacks (the demo data's pictures); answers how many it wrote.
    int FillMissingPictures();

private:
    THostOptions options_;
    std::unique_ptr<HostDatabase> db_;
    TPictureStore pictures_;
    TPrintManager printer_;
    TScriptedUi ui_;
    ComPtr<THostMain> main_;
    ComPtr<TExistForm> existForm_;
    ComPtr<TssReport> report_;
};

} // namespace tkv::host
