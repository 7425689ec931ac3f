#pragma once

namespace tolvar {

// Routes the skin data's notices to the application's forms as window messages (the skin
// data as the first parameter, the notice's number as the message). Installing it again
// changes nothing.
void InstallApplicationSkinNoticeRoute();

}  // namespace tolvar
