#include <memory>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include "platform/ServiceSlot.h"
#include "platform/Transliteration.h"

namespace {

// ICU's "any script to Latin" followed by "Latin to plain ASCII letters".
class IcuTransliteration : public Transliteration {
 public:
  IcuTransliteration() {
    UErrorCode status = U_ZERO_ERROR;
    transliterator_.reset(
        icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) transliterator_.reset();
  }

  QString ToLatin(const QString& text) override {
    if (!transliterator_) return text;
    icu::UnicodeString converted(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
    transliterator_->transliterate(converted);
    return QString(reinterpret_cast<const QChar*>(converted.getBuffer()), converted.length());
  }

 private:
  std::unique_ptr<icu::Transliterator> transliterator_;
};

ServiceSlot<Transliteration> slot([] { return std::make_unique<IcuTransliteration>(); });

}  // namespace

Transliteration& Transliterator() { return slot.Get(); }
void InstallTransliteration(Transliteration* implementation) { slot.Install(implementation); }
