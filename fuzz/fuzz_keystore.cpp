// The key-store reader on arbitrary bytes: the whole reader (JKS or PKCS#12), and the JKS key-recovery step on
// its own, since the integrity digest keeps random stores from ever reaching it.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "platform/tls/KeyStore.h"
#include "platform/tls/KeyStoreFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0] % 2;
  ++data;
  --size;
  try {
    if (mode == 0) {
      plat::tls::KeyStore ks = plat::tls::KeyStore::read(data, size, "tumbrelosk");
      for (const std::string& alias : ks.aliases()) {
        if (ks.isKeyEntry(alias)) ks.getKey(alias, "lakmotin");
        (void)ks.getCertificateChain(alias);
      }
      (void)ks.trustAnchors();
    } else {
      std::vector<std::uint8_t> sealed(data, data + size);
      (void)plat::tls::recoverJksKey(sealed, "lakmotin");
    }
  } catch (const std::exception&) {
    // Refusing malformed input is the expected outcome.
  }
  return 0;
}
