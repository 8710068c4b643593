#include "apps/igtarvo/RepostPoster.h"

#include "hosts/instagram/IGUser.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSPathUtilities.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace igtarvo::cli {

namespace fs = std::filesystem;
using namespace platform;

bool looksLikeURL(const std::string& text)
{
    return text.rfind("http://", 0) == 0 || text.rfind("https://", 0) == 0 || text.rfind("file:", 0) == 0;
}

RepostPoster::~RepostPoster()
{
    std::error_code ec;
    if (!m_staged.empty())
        fs::remove(Device::path(m_staged), ec);
}

bool RepostPoster::make(const std::string& username, const std::string& profilePicture, std::string& error)
{
    std::string url = profilePicture;
    if (!profilePicture.empty() && !looksLikeURL(profilePicture)) {
        std::error_code ec;
        std::vector<uint8_t> bytes;
        if (fs::is_regular_file(profilePicture, ec)) {
            std::ifstream in(profilePicture, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (in.bad())
                bytes.clear();
        }
        if (bytes.empty()) {
            error = "cannot read the profile picture " + profilePicture;
            return false;
        }
        std::string staged = "/tmp/igtarvo-profile-" + std::to_string(::getpid());
        fs::create_directories(Device::path("/tmp"), ec);
        if (!NSDataWriteToFile(bytes, staged, true)) {
            error = "cannot stage the profile picture on the device";
            return false;
        }
        m_staged = staged;
        url = "file://" + staged;
    }
    m_user = hosts::instagram::IGUser::create(username, url);
    return true;
}

} // namespace igtarvo::cli
