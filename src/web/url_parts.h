// The parts of an absolute URL that the web request connects to and asks for.
#pragma once

#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

// True when the first five characters of `url`, lower-cased, are "https".
bool IsHttpsUrl(std::string_view url);

// The host name, lower-cased, without the port. A URL without "http://" or
// "https://" is read as if "http://" stood in front of it.
Text UrlHost(std::string_view url);

// The port after the last ":" of the authority; 443 for an https URL without
// one, 80 for any other.
int UrlPort(std::string_view url);

// The path and query as written in the URL, from the first "/" after the host;
// "/" when there is none.
Text UrlPath(std::string_view url);

}  // namespace roomdesk
