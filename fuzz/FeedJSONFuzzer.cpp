// The feed service's answer from any bytes, read as Instagram's feed reads
// it: JSON, then each object of "items" made into a post, never a crash. A
// post keeps what its object said: the user's name, the caption's text, a
// photo post has a photo and a video post a video, and every address of the
// post is absolute (a path is put after the service's address).

#include "fuzz/FuzzCheck.h"
#include "hosts/instagram/IGCaption.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGUser.h"
#include "hosts/instagram/IGVideo.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/NSURL.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace platform;
using namespace hosts::instagram;

namespace {

const std::string kService = "http://127.0.0.1:8080";

// An address as the feed keeps it: a path made absolute, anything else as it came.
void checkResolved(const std::string& address)
{
    FUZZ_CHECK(address.empty() || address[0] != '/');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto json = NSJSONSerialization::JSONObjectWithData(std::vector<uint8_t>(data, data + size));
    auto* answer = objc::dynamicCast<NSDictionary>(json.get());
    auto* list = answer ? objc::dynamicCast<NSArray>(answer->get("items").get()) : nullptr;
    if (!list)
        return 0;
    for (unsigned long i = 0; i < list->count(); ++i) {
        auto* object = objc::dynamicCast<NSDictionary>(list->objectAtIndex(i).get());
        auto post = IGFeedItem::itemWithDictionary(object, kService);
        if (!post)
            continue;
        auto* user = objc::dynamicCast<NSDictionary>(object->get("user").get());
        FUZZ_CHECK(user && post->user());
        FUZZ_CHECK(post->user()->usernameString() == str(user->get("username").get()));
        if (auto* picture = objc::dynamicCast<NSURL>(post->user()->profilePicURL().get()))
            checkResolved(picture->absoluteString()->str());

        auto* caption = objc::dynamicCast<NSDictionary>(object->get("caption").get());
        if (caption && isString(caption->get("text").get()))
            FUZZ_CHECK(post->caption() && post->caption()->textString() == str(caption->get("text").get()));
        else
            FUZZ_CHECK(!post->caption());

        if (post->mediaType() == IGMediaTypePhoto)
            FUZZ_CHECK(post->photo());
        if (post->mediaType() == IGMediaTypeVideo)
            FUZZ_CHECK(post->video());
        if (auto photo = post->photo()) {
            for (auto& version : photo->imageVersions()->items()) {
                auto* entry = objc::dynamicCast<NSDictionary>(version.get());
                FUZZ_CHECK(entry && isString(entry->get("url").get()));
                checkResolved(str(entry->get("url").get()));
            }
        }
        if (auto video = post->video()) {
            for (long version : { 0L, 1L, 2L, 3L, 101L, -1L }) {
                if (auto url = video->videoURLForVideoVersion(version))
                    FUZZ_CHECK(url->absoluteString());
            }
        }
    }
    return 0;
}
