#include "board/requests.h"

#include "board/calendar.h"

#include <initializer_list>

namespace {

constexpr std::size_t kMaxIdDigits = 18; // below 2^63, the largest id either database keeps

// The code point of the UTF-8 sequence starting at `at`, and its length in `length`; nothing
// for an invalid, overlong or surrogate sequence.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t at, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        length = 1;
        return lead;
    }
    char32_t point = 0;
    char32_t smallest = 0;
    if ((lead & 0xe0) == 0xc0) {
        length = 2, point = lead & 0x1f, smallest = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, point = lead & 0x0f, smallest = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = at + 1; i < at + length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) {
            return std::nullopt;
        }
        point = (point << 6) | (byte(i) & 0x3f);
    }
    if (point < smallest || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff)) {
        return std::nullopt;
    }
    return point;
}

// Control characters, and the format characters that reverse, isolate or hide the text around
// them (a name that turns the rest of its row around, or looks empty).
bool isForbidden(char32_t point) {
    return point < 0x20 || (point >= 0x7f && point <= 0x9f) ||
           (point >= 0x200b && point <= 0x200f) || (point >= 0x2028 && point <= 0x202e) ||
           (point >= 0x2060 && point <= 0x206f) || point == 0xfeff ||
           (point >= 0xfff9 && point <= 0xfffb);
}

bool isBlank(char32_t point) {
    return point == ' ' || point == 0xa0 || point == 0x3000;
}

// Every field named once, and none but `known`.
bool onlyKnownFields(const QueryFields& fields, std::initializer_list<std::string_view> known,
                     std::string& why) {
    for (auto field = fields.begin(); field != fields.end(); ++field) {
        bool isKnown = false;
        for (const std::string_view name : known) {
            isKnown = isKnown || field->first == name;
        }
        if (!isKnown) {
            why = "unknown query field '" + field->first.substr(0, kMaxNameCharacters) + "'";
            return false;
        }
        if (fields.count(field->first) > 1) {
            why = "the query field '" + field->first + "' is given more than once";
            return false;
        }
    }
    return true;
}

std::optional<int> parseLimit(std::string_view text) {
    int value = 0;
    if (text.empty() || text.size() > 3) {
        return std::nullopt;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kMaxScoresLimit) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::string> nameProblem(std::string_view name) {
    std::size_t characters = 0;
    char32_t first = 0;
    char32_t last = 0;
    for (std::size_t at = 0; at < name.size();) {
        std::size_t length = 0;
        const std::optional<char32_t> point = decodeUtf8(name, at, length);
        if (!point) {
            return "the name is not valid UTF-8";
        }
        if (isForbidden(*point)) {
            return "the name holds a control or invisible formatting character";
        }
        if (++characters > kMaxNameCharacters) {
            return "the name is longer than " + std::to_string(kMaxNameCharacters) + " characters";
        }
        first = characters == 1 ? *point : first;
        last = *point;
        at += length;
    }
    if (characters == 0) {
        return "the name is empty";
    }
    if (isBlank(first) || isBlank(last)) {
        return "the name begins or ends with a blank";
    }
    return std::nullopt;
}

std::optional<UploadQuery> parseUploadQuery(const QueryFields& fields, std::string& why) {
    if (!onlyKnownFields(fields, {"name"}, why)) {
        return std::nullopt;
    }
    const auto name = fields.find("name");
    if (name == fields.end()) {
        why = "the query field 'name' is missing: whose games are these?";
        return std::nullopt;
    }
    if (const std::optional<std::string> problem = nameProblem(name->second)) {
        why = *problem;
        return std::nullopt;
    }
    return UploadQuery{name->second};
}

std::optional<ScoresQuery> parseScoresQuery(const QueryFields& fields, std::int64_t today,
                                            std::string& why) {
    if (!onlyKnownFields(fields, {"mode", "day", "limit"}, why)) {
        return std::nullopt;
    }
    ScoresQuery query;
    if (const auto mode = fields.find("mode"); mode != fields.end()) {
        if (mode->second != "free" && mode->second != "daily") {
            why = "mode is 'free' or 'daily'";
            return std::nullopt;
        }
        query.mode = mode->second == "daily" ? BoardMode::Daily : BoardMode::Free;
    }
    if (const auto day = fields.find("day"); day != fields.end()) {
        if (query.mode != BoardMode::Daily) {
            why = "day is only for mode=daily";
            return std::nullopt;
        }
        if (!dayStart(day->second)) {
            why = "day is a date YYYY-MM-DD between 2000 and 9999";
            return std::nullopt;
        }
        query.day = day->second;
    } else if (query.mode == BoardMode::Daily) {
        query.day = dayOf(today);
    }
    if (const auto limit = fields.find("limit"); limit != fields.end()) {
        const std::optional<int> value = parseLimit(limit->second);
        if (!value) {
            why = "limit is a whole number from 1 to " + std::to_string(kMaxScoresLimit);
            return std::nullopt;
        }
        query.limit = *value;
    }
    return query;
}

std::optional<std::int64_t> parseGameId(std::string_view text) {
    if (text.empty() || text.size() > kMaxIdDigits) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1) {
        return std::nullopt;
    }
    return value;
}
