// Login sessions, challenges and block time (see sessions.h).
#include "sessions.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "json.h"
#include "text.h"

namespace routersim {
namespace {

constexpr size_t kKeptChallenges = 64;
constexpr size_t kMaxSessions = 1000;
constexpr int kMaxBlockSeconds = 3600;
// PBKDF2 work factors: large enough to look like the real thing, small
// enough that a test logs in within milliseconds.
constexpr int kIterations1 = 10000;
constexpr int kIterations2 = 2000;
constexpr size_t kSaltBytes = 16;

std::string hex(const unsigned char* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string hex(const std::string& bytes) {
    return hex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string randomBytes(size_t size) {
    std::string bytes(size, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), static_cast<int>(size)) != 1)
        throw std::runtime_error("no random bytes from OpenSSL");
    return bytes;
}

std::string md5Hex(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(data.data(), data.size(), digest, &size, EVP_md5(), nullptr);
    return hex(digest, size);
}

std::string pbkdf2Sha256(const std::string& password, const std::string& salt, int iterations) {
    unsigned char key[32];
    PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                      reinterpret_cast<const unsigned char*>(salt.data()),
                      static_cast<int>(salt.size()), iterations, EVP_sha256(), sizeof key, key);
    return std::string(reinterpret_cast<char*>(key), sizeof key);
}

// The MD5 scheme's text: UTF-16LE, characters above U+00FF as ".".
std::string utf16le(const std::string& text) {
    std::string out;
    for (char32_t c : characters(text)) {
        out += static_cast<char>(c > 0xFF ? '.' : c);
        out += '\0';
    }
    return out;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

Sessions::Sessions(std::string user, std::string password, Clock::duration idleTime, Rules rules)
    : user_(std::move(user)), password_(std::move(password)), idleTime_(idleTime), rules_(rules) {}

void Sessions::expire(Clock::time_point now) {
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        if (now - it->second.lastUse >= idleTime_) it = sessions_.erase(it);
        else ++it;
    }
}

bool Sessions::renew(const std::string& sid, const std::string& client) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto now = Clock::now();
    expire(now);
    auto it = sessions_.find(sid);
    if (it != sessions_.end()) {
        it->second.lastUse = now;
        return true;
    }
    if (rules_.strictSessions && !sid.empty()) {
        for (auto other = sessions_.begin(); other != sessions_.end();) {
            if (other->second.client == client) other = sessions_.erase(other);
            else ++other;
        }
    }
    return false;
}

void Sessions::logOut(const std::string& sid) {
    std::lock_guard<std::mutex> lock(mutex_);
    sessions_.erase(sid);
}

std::string Sessions::issueChallenge(bool pbkdf2) {
    Challenge challenge;
    if (pbkdf2 && !rules_.md5Only) {
        challenge.pbkdf2 = true;
        challenge.salt1 = randomBytes(kSaltBytes);
        challenge.salt2 = randomBytes(kSaltBytes);
        challenge.iterations1 = kIterations1;
        challenge.iterations2 = kIterations2;
        challenge.text = "2$" + std::to_string(kIterations1) + "$" + hex(challenge.salt1) + "$" +
                         std::to_string(kIterations2) + "$" + hex(challenge.salt2);
    } else {
        challenge.text = hex(randomBytes(4));
    }
    std::lock_guard<std::mutex> lock(mutex_);
    challenges_.push_back(challenge);
    if (challenges_.size() > kKeptChallenges) challenges_.pop_front();
    return challenge.text;
}

// Finds the challenge the response answers, takes it out (each answers one
// login) and checks the response against the password.  Called locked.
bool Sessions::checkResponse(const std::string& response) {
    size_t dollar = response.find('$');
    size_t hyphen = response.find('-');
    bool pbkdf2 = dollar != std::string::npos;
    size_t split = pbkdf2 ? dollar : hyphen;
    if (split == std::string::npos) return false;
    std::string head = response.substr(0, split);
    std::string digest = response.substr(split + 1);

    auto match = std::find_if(challenges_.begin(), challenges_.end(), [&](const Challenge& c) {
        return c.pbkdf2 == pbkdf2 && (pbkdf2 ? hex(c.salt2) == head : c.text == head);
    });
    if (match == challenges_.end()) return false;
    Challenge challenge = *match;
    challenges_.erase(match);

    std::string expected;
    if (pbkdf2) {
        std::string first = pbkdf2Sha256(password_, challenge.salt1, challenge.iterations1);
        expected = hex(pbkdf2Sha256(first, challenge.salt2, challenge.iterations2));
    } else {
        expected = md5Hex(utf16le(challenge.text + "-" + password_));
    }
    return equalsIgnoringCase(digest, expected);
}

Sessions::LoginResult Sessions::logIn(const std::string& user, const std::string& response,
                                      const std::string& client, std::string& sid) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto now = Clock::now();
    sid = kZeroSid;
    if (blockTime(now) > 0) {
        // Refused unheard; its challenge is spent like any other.
        checkResponse(response);
        return LoginResult::Blocked;
    }
    std::string name = isUtf8(user) ? user : latin1ToUtf8(user);
    bool answered = checkResponse(response);
    if (!answered || (!user_.empty() && name != user_)) {
        ++failures_;
        int seconds = std::min(1 << std::min(failures_ - 1, 12), kMaxBlockSeconds);
        blockedUntil_ = now + std::chrono::seconds(seconds);
        return LoginResult::Refused;
    }
    failures_ = 0;
    blockedUntil_ = {};
    expire(now);
    if (sessions_.size() >= kMaxSessions) {
        auto oldest = std::min_element(sessions_.begin(), sessions_.end(),
                                       [](auto& a, auto& b) { return a.second.lastUse < b.second.lastUse; });
        sessions_.erase(oldest);
    }
    do {
        sid = hex(randomBytes(8));
    } while (sid == kZeroSid || sessions_.count(sid));
    sessions_[sid] = Session{now, client};
    return LoginResult::LoggedIn;
}

int Sessions::blockTime(Clock::time_point now) const {
    if (now >= blockedUntil_) return 0;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(blockedUntil_ - now).count();
    return static_cast<int>((left + 999) / 1000);
}

int Sessions::blockTime() {
    std::lock_guard<std::mutex> lock(mutex_);
    return blockTime(Clock::now());
}

void Sessions::dropAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    sessions_.clear();
}

void Sessions::forgetFailures() {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_ = 0;
    blockedUntil_ = {};
}

std::string Sessions::json() {
    std::lock_guard<std::mutex> lock(mutex_);
    auto now = Clock::now();
    expire(now);
    std::string list = "[";
    for (const auto& [sid, session] : sessions_) {
        if (list.size() > 1) list += ',';
        auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(now - session.lastUse).count();
        list += JsonObject()
                    .add("sid", sid)
                    .add("client", session.client)
                    .add("idle_ms", static_cast<long long>(idle))
                    .str();
    }
    list += "]";
    auto idleTime = std::chrono::duration_cast<std::chrono::milliseconds>(idleTime_).count();
    return JsonObject()
        .addRaw("sessions", list)
        .add("failures", failures_)
        .add("block_time", blockTime(now))
        .add("idle_time_ms", static_cast<long long>(idleTime))
        .str();
}

}  // namespace routersim
