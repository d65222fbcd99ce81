#include "checking/clearsigned_text.h"

namespace sumbrook::checking {

bool ClearsignedText::Keep(std::string_view& line)
{
    std::string_view bare = line;
    if (bare.ends_with('\r')) bare.remove_suffix(1);
    if (state_ == State::Header) {
        if (bare.empty()) state_ = State::Text;
        return false;
    }
    if (state_ == State::Signature) {
        if (bare == "-----END PGP SIGNATURE-----") state_ = State::After;
        return false;
    }
    if (bare == "-----BEGIN PGP SIGNED MESSAGE-----") {
        state_ = State::Header;
        Skipped = true;
        return false;
    }
    if (state_ == State::Text && bare == "-----BEGIN PGP SIGNATURE-----") {
        state_ = State::Signature;
        return false;
    }
    if (state_ == State::Text && line.starts_with("- ")) line.remove_prefix(2);
    return true;
}

} // namespace sumbrook::checking
