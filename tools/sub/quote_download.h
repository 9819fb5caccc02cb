#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace varnolt::sub {

// Answers the request file download.ini of a program folder: marks it "ing", fetches the
// requested prices of every code of the request's code list from the quote source named on the
// first line of sub.ini in the folder, writes them to the request's result file and marks the
// request "stop", or "error" when anything fails. `fetch` gets a text from an address (empty on
// failure). False when the request could not be read at all (it is left as it was then).
bool AnswerDownloadRequest(const std::filesystem::path& program_folder,
                           const std::function<std::string(const std::string&)>& fetch);

}  // namespace varnolt::sub
