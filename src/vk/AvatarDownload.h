#pragma once

#include "net/HttpOptions.h"
#include "support/Avatar.h"

// Downloads the picture of the request (into the cache file when it says so) and decodes it; with
// no address the default picture is shown and nothing is requested. Touches nothing shared.
TAvatarResult FetchAvatar(const TAvatarRequest& request, const THttpOptions& http);
