// The two on-disk formats behind KeyStore, and the key-recovery step of each. Internal to the key-store reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/tls/KeyStore.h"

namespace plat::tls {

// Parses a JKS store and checks its trailing SHA-1 integrity digest.
KeyStore readJks(const std::uint8_t* data, std::size_t size, const std::string& storePassword);
// Parses a PKCS#12 store and checks its MAC.
KeyStore readPkcs12(const std::uint8_t* data, std::size_t size, const std::string& storePassword);

// Opens a JKS-protected key (DER EncryptedPrivateKeyInfo of the SHA-1 keystream scheme) into PKCS#8 DER.
// UnrecoverableKeyException when the trailing check digest does not match.
std::vector<std::uint8_t> recoverJksKey(const std::vector<std::uint8_t>& protectedKey, const std::string& password);

// The password as the stores digest it: each UTF-16 unit big-endian.
std::vector<std::uint8_t> passwordUtf16be(const std::string& password);

}  // namespace plat::tls
