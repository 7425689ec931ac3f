// The vendor's public key a company build carries, written by the deployment stamper or by a
// build made with a key.
#include "SignedFeed.h"
#include "app/ResourceData.h"
#include "feed/FeedKey.h"

namespace tolvar {

std::optional<std::string> StoredFeedKey() { return ReadResourceData(FeedKeyResourceName); }

}  // namespace tolvar
