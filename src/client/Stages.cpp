// The stages that the pass calls and that land with the download, the company checks and the
// host launch. Until then they behave as a pass without a network and without a host: nothing
// is fetched and nothing is started.
#include "DownLoad.h"

namespace tolvar {

bool TfmDownloading::DownloadFile(const std::string&, const std::string&) { return false; }
void TfmDownloading::CheckCompany() {}
void TfmDownloading::LaunchHost() {}

}  // namespace tolvar
