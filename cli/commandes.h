#pragma once
// The sub-commands of zor-cli; each receives the arguments after its own name.
#include <string>
#include <vector>

namespace zor::cli {

using Arguments = std::vector<std::string>;

int commandeConvert(const Arguments& arguments);
int commandeUpload(const Arguments& arguments);
int commandeDownload(const Arguments& arguments);
int commandePorts(const Arguments& arguments);

}  // namespace zor::cli
