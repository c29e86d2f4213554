// What the server a web form is posted to answers, line by line (a line ends with "\n"; a "\r" before it is
// dropped):
//   first line "OK"      the form was accepted;
//   first line "REJECT"  the form was refused; the lines after it, but a "REPOST:" line, are the reason the page
//                        shows, joined with "\n" (it may be empty);
//   a line "REPOST:" after the first, in either case: the text after the colon, blanks trimmed, is a message the
//                        page shows;
// anything else, a reply of no bytes and a reply larger than kMaxWebPostReply bytes are a failed post.
#pragma once
#include <cstddef>
#include <string>

constexpr std::size_t kMaxWebPostReply = 64 * 1024;

struct WebPostReply {
    enum class Kind {
        Accepted,
        Rejected,
        Failed
    };
    Kind kind = Kind::Failed;
    std::string reason;
    std::string repostMessage;
};

WebPostReply ReadWebPostReply(const char* data, std::size_t size);
