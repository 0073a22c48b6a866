#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"

#include <array>
#include <utility>

#include "platform/beans/Beans.h"
#include "platform/gui/CurrencyEngine.h"
#include "platform/gui/DefaultTableCellRenderer.h"
#include "platform/gui/Label.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellEditors.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellRenderers.h"
#include "quenlora/zafoli/db/beans/javax/swing/CommonTableCellEditor.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using plat::gui::CheckBox;
using plat::gui::ComboBox;
using plat::gui::Component;
using plat::gui::JCurrencyTextField;
using plat::gui::JMaskedTextField;
using plat::gui::TextField;
using plat::lang::makeRef;

namespace {

// The archive's own version: a reader refuses any other form.
constexpr const char* kVersion = "ColumnAttributes/1";
// Limits of what a saved column may hold; an archive beyond them is refused before anything is allocated.
constexpr std::uint32_t kMaxVersionBytes = 64;
constexpr std::uint32_t kMaxTextBytes = 4096;
constexpr std::uint32_t kMaxClassNameBytes = 256;
constexpr std::uint32_t kMaxStaticListEntries = 10000;
constexpr int kMaxDigitsAfterDecimal = 18;

bool isScalarValue(std::int32_t c) {
  return c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

// A new, unconfigured component of the same kind, so that a copy shares no component with its original.
plat::lang::Ref<Component> freshLike(const Component* original) {
  if (dynamic_cast<const JMaskedTextField*>(original)) return makeRef<JMaskedTextField>();
  if (dynamic_cast<const JCurrencyTextField*>(original)) return makeRef<JCurrencyTextField>();
  if (dynamic_cast<const CheckBox*>(original)) return makeRef<CheckBox>();
  if (dynamic_cast<const ComboBox*>(original)) return makeRef<ComboBox>();
  if (dynamic_cast<const plat::gui::Label*>(original)) return makeRef<plat::gui::Label>();
  return makeRef<TextField>();
}

// The object a saved class name names, when that class is registered in this process and is of kind T; else
// null. Names are never used to load a module: a saved archive is outside input.
template <class T>
plat::lang::Ref<T> createRegistered(const std::string& name) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  if (name.empty() || !registry.isRegistered(name)) return nullptr;
  try {
    return std::dynamic_pointer_cast<T>(registry.newInstance(name));
  } catch (const plat::lang::Throwable&) {
    return nullptr;
  }
}

}  // namespace

ColumnAttributes::Settings::Settings()
    : decimalPoint(plat::gui::CurrencyEngine::getDefaultDecimalSeparator()),
      separator(plat::gui::CurrencyEngine::getDefaultGroupingSeparator()) {}

ColumnAttributes::ColumnAttributes() {
  auto field = makeRef<TextField>();
  cellEditorComponent_ = field;
  cellRendererComponent_ = makeRef<plat::gui::Label>();
  headerRendererComponent_ = makeRef<plat::gui::Label>();
  cellEditor_ = makeRef<CommonTableCellEditor>(field);
  cellRenderer_ = makeRef<plat::gui::DefaultTableCellRenderer>();
  headerRenderer_ = makeRef<plat::gui::DefaultTableCellRenderer>();
}

ColumnAttributes::ColumnAttributes(const Layout& layout, Ref<TextField> field) : ColumnAttributes() {
  applyLayout(layout);
  setCellEditorComponent(std::move(field));
}

ColumnAttributes::ColumnAttributes(const Layout& layout, Ref<JMaskedTextField> field, const std::string& mask,
                                   bool enforceDataCompleteness)
    : ColumnAttributes() {
  applyLayout(layout);
  s_.mask = mask;
  s_.enforceDataCompleteness = enforceDataCompleteness;
  setCellEditorComponent(std::move(field));
}

ColumnAttributes::ColumnAttributes(const Layout& layout, Ref<JCurrencyTextField> field, bool atmMode,
                                   const std::string& currencySymbol, char32_t decimalPoint, int digitsAfterDecimal,
                                   char32_t separator, bool currencyLeading, bool separatorEnabled)
    : ColumnAttributes() {
  applyLayout(layout);
  s_.ATMMode = atmMode;
  s_.currencySymbol = currencySymbol;
  s_.decimalPoint = decimalPoint;
  s_.digitsAfterDecimal = digitsAfterDecimal;
  s_.separator = separator;
  s_.currencyLeading = currencyLeading;
  s_.separatorEnabled = separatorEnabled;
  setCellEditorComponent(std::move(field));
}

ColumnAttributes::ColumnAttributes(const Layout& layout, Ref<CheckBox> box, const std::string& label,
                                   const std::string& trueValue, const std::string& falseValue)
    : ColumnAttributes() {
  applyLayout(layout);
  s_.label = label;
  s_.trueValue = trueValue;
  s_.falseValue = falseValue;
  setCellEditorComponent(std::move(box));
}

ColumnAttributes::ColumnAttributes(const Layout& layout, Ref<ComboBox> box, bool editableCombo,
                                   std::vector<std::string> staticList)
    : ColumnAttributes() {
  applyLayout(layout);
  s_.editableCombo = editableCombo;
  s_.staticList = std::move(staticList);
  setCellEditorComponent(std::move(box));
}

ColumnAttributes::ColumnAttributes(const Layout& layout, Ref<ComboBox> box, bool editableCombo, bool editorDataBound,
                                   const std::string& lookup)
    : ColumnAttributes() {
  applyLayout(layout);
  s_.editableCombo = editableCombo;
  s_.editorDataBound = editorDataBound;
  s_.lookup = lookup;
  setCellEditorComponent(std::move(box));
}

ColumnAttributes::ColumnAttributes(Ref<plat::gui::TableCellEditor> editor, Ref<plat::gui::TableCellRenderer> renderer,
                                   Ref<plat::gui::TableCellRenderer> headerRenderer, const std::string& headerValue,
                                   const std::string& identifier, bool resizable, int maxWidth, int minWidth, int width,
                                   int modelIndex)
    : ColumnAttributes() {
  cellEditor_ = std::move(editor);
  cellRenderer_ = std::move(renderer);
  headerRenderer_ = std::move(headerRenderer);
  s_.headerValue = headerValue;
  s_.identifier = identifier;
  s_.isResizable = resizable;
  s_.maxWidth = maxWidth;
  s_.minWidth = minWidth;
  s_.width = width;
  s_.modelIndex = modelIndex;
}

ColumnAttributes::~ColumnAttributes() = default;

void ColumnAttributes::applyLayout(const Layout& layout) {
  s_.headerValue = layout.headerValue;
  s_.identifier = layout.identifier;
  s_.isResizable = layout.resizable;
  s_.maxWidth = layout.maxWidth;
  s_.minWidth = layout.minWidth;
  s_.width = layout.width;
  s_.background = layout.background;
  s_.foreground = layout.foreground;
  s_.editable = layout.editable;
}

plat::gui::Color ColumnAttributes::getColorFromString(const std::string& name) {
  static const std::array<std::pair<const char*, Color>, 12> kNamed = {{
      {"black", Color::black},
      {"blue", Color::blue},
      {"cyan", Color::cyan},
      {"darkGray", Color::darkGray},
      {"gray", Color::gray},
      {"green", Color::green},
      {"lightGray", Color::lightGray},
      {"magenta", Color::magenta},
      {"orange", Color::orange},
      {"pink", Color::pink},
      {"red", Color::red},
      {"yellow", Color::yellow},
  }};
  for (const auto& [known, color] : kNamed) {
    if (name == known) return color;
  }
  return Color::white;
}

void ColumnAttributes::setCellEditorComponent(Ref<Component> component) {
  if (!component) return;
  std::lock_guard lock(mutex_);
  installLocked(std::move(component));
}

void ColumnAttributes::installLocked(Ref<Component> component) {
  component->setBackground(s_.background);
  component->setForeground(s_.foreground);
  lookupModel_.reset();
  auto plainRenderer = [this] {
    auto renderer = makeRef<plat::gui::DefaultTableCellRenderer>();
    renderer->setBackground(s_.background);
    renderer->setForeground(s_.foreground);
    return renderer;
  };
  if (auto masked = std::dynamic_pointer_cast<JMaskedTextField>(component)) {
    auto editor = makeRef<MaskedEditor>(masked);
    editor->setMask(s_.mask);
    auto renderer = makeRef<MaskedRenderer>();
    renderer->setMask(s_.mask);
    renderer->setBackground(s_.background);
    renderer->setForeground(s_.foreground);
    cellEditor_ = editor;
    cellRenderer_ = renderer;
  } else if (auto currency = std::dynamic_pointer_cast<JCurrencyTextField>(component)) {
    auto editor = makeRef<CurrencyEditor>(currency);
    auto renderer = makeRef<CurrencyRenderer>();
    auto configure = [this](auto& target) {
      target.setATMmode(s_.ATMMode);
      target.setCurrencySymbol(s_.currencySymbol);
      target.setDigitsAfterDecimal(s_.digitsAfterDecimal);
      target.setDecimalPoint(s_.decimalPoint);
      target.setSeparator(s_.separator);
      target.setCurrencyLeading(s_.currencyLeading);
      target.setSeparatorEnabled(s_.separatorEnabled);
    };
    configure(*editor);
    configure(*renderer);
    renderer->setBackground(s_.background);
    renderer->setForeground(s_.foreground);
    cellEditor_ = editor;
    cellRenderer_ = renderer;
  } else if (auto box = std::dynamic_pointer_cast<CheckBox>(component)) {
    box->setText(s_.label);
    box->setHorizontalAlignment(s_.label.empty() ? Component::CENTER : Component::LEADING);
    auto editor = makeRef<CheckBoxEditor>(box);
    editor->setTrueValue(s_.trueValue);
    editor->setFalseValue(s_.falseValue);
    auto renderer = makeRef<CheckBoxRenderer>();
    renderer->setTrueValue(s_.trueValue);
    renderer->setFalseValue(s_.falseValue);
    renderer->setCaption(s_.label);
    renderer->setCellColors(s_.background, s_.foreground);
    cellEditor_ = editor;
    cellRenderer_ = renderer;
  } else if (auto combo = std::dynamic_pointer_cast<ComboBox>(component)) {
    combo->setEditable(s_.editableCombo);
    combo->setMaximumRowCount(3);
    if (s_.editorDataBound) {
      if (!plat::beans::Beans::isDesignTime()) {
        lookupModel_ = makeRef<BindingModel>();
        lookupModel_->setLookupBinding(s_.lookup + "%All");
        lookupModel_->setComponent(combo);
      }
    } else if (s_.staticList) {
      for (const std::string& text : *s_.staticList) combo->addItem(plat::lang::Value(text));
    }
    auto editor = makeRef<CommonTableCellEditor>(combo);
    editor->setClickCountToStart(1);
    cellEditor_ = editor;
    cellRenderer_ = plainRenderer();
  } else {
    auto field = std::dynamic_pointer_cast<TextField>(component);
    if (!field) {
      field = makeRef<TextField>();
      field->setBackground(s_.background);
      field->setForeground(s_.foreground);
      component = field;
    }
    cellEditor_ = makeRef<CommonTableCellEditor>(field);
    cellRenderer_ = plainRenderer();
  }
  cellEditorComponent_ = std::move(component);
}

plat::lang::Ref<ColumnAttributes> ColumnAttributes::clone() const {
  std::lock_guard lock(mutex_);
  auto copy = makeRef<ColumnAttributes>();
  copy->s_ = s_;
  copy->cellRendererComponent_ = freshLike(cellRendererComponent_.get());
  copy->headerRendererComponent_ = freshLike(headerRendererComponent_.get());
  copy->installLocked(freshLike(cellEditorComponent_.get()));
  return copy;
}

void ColumnAttributes::writeObject(plat::serial::ObjectOutput& out) const {
  std::lock_guard lock(mutex_);
  out.writeUTF(kVersion);
  out.writeBoolean(s_.isResizable);
  out.writeInt(s_.maxWidth);
  out.writeInt(s_.minWidth);
  out.writeInt(s_.modelIndex);
  out.writeInt(s_.width);
  out.writeBoolean(s_.sizeWidthToFit);
  out.writeInt(s_.clickCountToStart);
  out.writeBoolean(s_.shouldSelectCell);
  out.writeBoolean(s_.editable);
  out.writeColor(s_.background.getRGB());
  out.writeColor(s_.foreground.getRGB());
  out.writeUTF(s_.trueValue);
  out.writeUTF(s_.falseValue);
  out.writeUTF(s_.label);
  out.writeBoolean(s_.editableCombo);
  out.writeBoolean(s_.editorDataBound);
  out.writeUTF(s_.lookup);
  out.writeBoolean(s_.staticList.has_value());
  out.writeTextList(s_.staticList.value_or(std::vector<std::string>{}));
  out.writeUTF(s_.mask);
  out.writeBoolean(s_.enforceDataCompleteness);
  out.writeBoolean(s_.ATMMode);
  out.writeUTF(s_.currencySymbol);
  out.writeInt(static_cast<std::int32_t>(s_.decimalPoint));
  out.writeInt(static_cast<std::int32_t>(s_.separator));
  out.writeInt(s_.digitsAfterDecimal);
  out.writeBoolean(s_.currencyLeading);
  out.writeBoolean(s_.separatorEnabled);
  out.writeUTF(s_.headerValue);
  out.writeUTF(s_.identifier);
  auto nameOf = [](const auto& object) { return object ? object->getClassName() : std::string(); };
  out.writeUTF(nameOf(cellEditorComponent_));
  out.writeUTF(nameOf(cellRendererComponent_));
  out.writeUTF(nameOf(headerRendererComponent_));
  auto* headerObject = dynamic_cast<const plat::lang::Object*>(headerRenderer_.get());
  out.writeUTF(headerObject != nullptr ? headerObject->getClassName() : std::string());
}

plat::lang::Ref<ColumnAttributes> ColumnAttributes::readObject(plat::serial::ObjectInput& in) {
  if (in.readUTF(kMaxVersionBytes) != kVersion) {
    throw plat::serial::InvalidObjectException("Saved column attributes of an unknown version");
  }
  // Everything is read and checked before any object is made.
  Settings s;
  s.isResizable = in.readBoolean();
  s.maxWidth = in.readInt();
  s.minWidth = in.readInt();
  s.modelIndex = in.readInt();
  s.width = in.readInt();
  s.sizeWidthToFit = in.readBoolean();
  s.clickCountToStart = in.readInt();
  s.shouldSelectCell = in.readBoolean();
  s.editable = in.readBoolean();
  s.background = Color(in.readColor());
  s.foreground = Color(in.readColor());
  s.trueValue = in.readUTF(kMaxTextBytes);
  s.falseValue = in.readUTF(kMaxTextBytes);
  s.label = in.readUTF(kMaxTextBytes);
  s.editableCombo = in.readBoolean();
  s.editorDataBound = in.readBoolean();
  s.lookup = in.readUTF(kMaxTextBytes);
  const bool hasStaticList = in.readBoolean();
  std::vector<std::string> staticList = in.readTextList(kMaxStaticListEntries, kMaxTextBytes);
  if (hasStaticList) {
    s.staticList = std::move(staticList);
  } else if (!staticList.empty()) {
    throw plat::serial::InvalidObjectException("Saved column attributes list texts of an absent list");
  }
  s.mask = in.readUTF(kMaxTextBytes);
  s.enforceDataCompleteness = in.readBoolean();
  s.ATMMode = in.readBoolean();
  s.currencySymbol = in.readUTF(kMaxTextBytes);
  const std::int32_t decimalPoint = in.readInt();
  const std::int32_t separator = in.readInt();
  s.digitsAfterDecimal = in.readInt();
  s.currencyLeading = in.readBoolean();
  s.separatorEnabled = in.readBoolean();
  if (!isScalarValue(decimalPoint) || !isScalarValue(separator)) {
    throw plat::serial::InvalidObjectException("Saved currency separators are no characters");
  }
  if (s.digitsAfterDecimal < 0 || s.digitsAfterDecimal > kMaxDigitsAfterDecimal) {
    throw plat::serial::InvalidObjectException("Saved digits after the decimal point are out of range");
  }
  s.decimalPoint = static_cast<char32_t>(decimalPoint);
  s.separator = static_cast<char32_t>(separator);
  s.headerValue = in.readUTF(kMaxTextBytes);
  s.identifier = in.readUTF(kMaxTextBytes);
  const std::string editorName = in.readUTF(kMaxClassNameBytes);
  const std::string rendererName = in.readUTF(kMaxClassNameBytes);
  const std::string headerComponentName = in.readUTF(kMaxClassNameBytes);
  const std::string headerRendererName = in.readUTF(kMaxClassNameBytes);

  auto attributes = makeRef<ColumnAttributes>();
  std::lock_guard lock(attributes->mutex_);
  attributes->s_ = std::move(s);
  auto component = [](const std::string& name, auto fallback) -> Ref<Component> {
    if (auto made = createRegistered<Component>(name)) return made;
    return fallback();
  };
  Ref<Component> editorComponent = component(editorName, [] { return makeRef<TextField>(); });
  attributes->cellRendererComponent_ = component(rendererName, [] { return makeRef<plat::gui::Label>(); });
  attributes->headerRendererComponent_ = component(headerComponentName, [] { return makeRef<plat::gui::Label>(); });
  attributes->headerRenderer_ = createRegistered<plat::gui::TableCellRenderer>(headerRendererName);
  if (!attributes->headerRenderer_) attributes->headerRenderer_ = makeRef<plat::gui::DefaultTableCellRenderer>();
  attributes->installLocked(std::move(editorComponent));
  return attributes;
}

// --- properties --------------------------------------------------------------------------------------------------

namespace {

template <class T>
T locked(std::recursive_mutex& mutex, const T& field) {
  std::lock_guard lock(mutex);
  return field;
}

template <class T, class V>
void lockedSet(std::recursive_mutex& mutex, T& field, V&& value) {
  std::lock_guard lock(mutex);
  field = std::forward<V>(value);
}

}  // namespace

std::string ColumnAttributes::getHeaderValue() const {
  return locked(mutex_, s_.headerValue);
}
void ColumnAttributes::setHeaderValue(const std::string& v) {
  lockedSet(mutex_, s_.headerValue, v);
}
std::string ColumnAttributes::getIdentifier() const {
  return locked(mutex_, s_.identifier);
}
void ColumnAttributes::setIdentifier(const std::string& v) {
  lockedSet(mutex_, s_.identifier, v);
}
bool ColumnAttributes::getIsResizable() const {
  return locked(mutex_, s_.isResizable);
}
void ColumnAttributes::setIsResizable(bool v) {
  lockedSet(mutex_, s_.isResizable, v);
}
int ColumnAttributes::getMaxWidth() const {
  return locked(mutex_, s_.maxWidth);
}
void ColumnAttributes::setMaxWidth(int v) {
  lockedSet(mutex_, s_.maxWidth, v);
}
int ColumnAttributes::getMinWidth() const {
  return locked(mutex_, s_.minWidth);
}
void ColumnAttributes::setMinWidth(int v) {
  lockedSet(mutex_, s_.minWidth, v);
}
int ColumnAttributes::getModelIndex() const {
  return locked(mutex_, s_.modelIndex);
}
void ColumnAttributes::setModelIndex(int v) {
  lockedSet(mutex_, s_.modelIndex, v);
}
int ColumnAttributes::getWidth() const {
  return locked(mutex_, s_.width);
}
void ColumnAttributes::setWidth(int v) {
  lockedSet(mutex_, s_.width, v);
}
bool ColumnAttributes::getSizeWidthToFit() const {
  return locked(mutex_, s_.sizeWidthToFit);
}
void ColumnAttributes::setSizeWidthToFit(bool v) {
  lockedSet(mutex_, s_.sizeWidthToFit, v);
}
int ColumnAttributes::getClickCountToStart() const {
  return locked(mutex_, s_.clickCountToStart);
}
void ColumnAttributes::setClickCountToStart(int v) {
  lockedSet(mutex_, s_.clickCountToStart, v);
}
bool ColumnAttributes::getShouldSelectCell() const {
  return locked(mutex_, s_.shouldSelectCell);
}
void ColumnAttributes::setShouldSelectCell(bool v) {
  lockedSet(mutex_, s_.shouldSelectCell, v);
}
bool ColumnAttributes::isEditable() const {
  return locked(mutex_, s_.editable);
}
void ColumnAttributes::setEditable(bool v) {
  lockedSet(mutex_, s_.editable, v);
}
plat::gui::Color ColumnAttributes::getBackground() const {
  return locked(mutex_, s_.background);
}
void ColumnAttributes::setBackground(Color v) {
  lockedSet(mutex_, s_.background, v);
}
plat::gui::Color ColumnAttributes::getForeground() const {
  return locked(mutex_, s_.foreground);
}
void ColumnAttributes::setForeground(Color v) {
  lockedSet(mutex_, s_.foreground, v);
}
std::string ColumnAttributes::getTrueValue() const {
  return locked(mutex_, s_.trueValue);
}
void ColumnAttributes::setTrueValue(const std::string& v) {
  lockedSet(mutex_, s_.trueValue, v);
}
std::string ColumnAttributes::getFalseValue() const {
  return locked(mutex_, s_.falseValue);
}
void ColumnAttributes::setFalseValue(const std::string& v) {
  lockedSet(mutex_, s_.falseValue, v);
}
std::string ColumnAttributes::getLabel() const {
  return locked(mutex_, s_.label);
}
void ColumnAttributes::setLabel(const std::string& v) {
  lockedSet(mutex_, s_.label, v);
}
bool ColumnAttributes::isEditableCombo() const {
  return locked(mutex_, s_.editableCombo);
}
void ColumnAttributes::setEditableCombo(bool v) {
  lockedSet(mutex_, s_.editableCombo, v);
}
bool ColumnAttributes::isEditorDataBound() const {
  return locked(mutex_, s_.editorDataBound);
}
void ColumnAttributes::setEditorDataBound(bool v) {
  lockedSet(mutex_, s_.editorDataBound, v);
}
std::string ColumnAttributes::getLookup() const {
  return locked(mutex_, s_.lookup);
}
void ColumnAttributes::setLookup(const std::string& v) {
  lockedSet(mutex_, s_.lookup, v);
}
std::optional<std::vector<std::string>> ColumnAttributes::getStaticList() const {
  return locked(mutex_, s_.staticList);
}
void ColumnAttributes::setStaticList(std::optional<std::vector<std::string>> v) {
  lockedSet(mutex_, s_.staticList, std::move(v));
}
std::string ColumnAttributes::getMask() const {
  return locked(mutex_, s_.mask);
}
void ColumnAttributes::setMask(const std::string& v) {
  lockedSet(mutex_, s_.mask, v);
}
bool ColumnAttributes::isEnforceDataCompleteness() const {
  return locked(mutex_, s_.enforceDataCompleteness);
}
void ColumnAttributes::setEnforceDataCompleteness(bool v) {
  lockedSet(mutex_, s_.enforceDataCompleteness, v);
}
bool ColumnAttributes::isATMMode() const {
  return locked(mutex_, s_.ATMMode);
}
void ColumnAttributes::setATMMode(bool v) {
  lockedSet(mutex_, s_.ATMMode, v);
}
std::string ColumnAttributes::getCurrencySymbol() const {
  return locked(mutex_, s_.currencySymbol);
}
void ColumnAttributes::setCurrencySymbol(const std::string& v) {
  lockedSet(mutex_, s_.currencySymbol, v);
}
char32_t ColumnAttributes::getDecimalPoint() const {
  return locked(mutex_, s_.decimalPoint);
}
void ColumnAttributes::setDecimalPoint(char32_t v) {
  lockedSet(mutex_, s_.decimalPoint, v);
}
char32_t ColumnAttributes::getSeparator() const {
  return locked(mutex_, s_.separator);
}
void ColumnAttributes::setSeparator(char32_t v) {
  lockedSet(mutex_, s_.separator, v);
}
int ColumnAttributes::getDigitsAfterDecimal() const {
  return locked(mutex_, s_.digitsAfterDecimal);
}
void ColumnAttributes::setDigitsAfterDecimal(int v) {
  lockedSet(mutex_, s_.digitsAfterDecimal, v);
}
bool ColumnAttributes::isCurrencyLeading() const {
  return locked(mutex_, s_.currencyLeading);
}
void ColumnAttributes::setCurrencyLeading(bool v) {
  lockedSet(mutex_, s_.currencyLeading, v);
}
bool ColumnAttributes::isSeparatorEnabled() const {
  return locked(mutex_, s_.separatorEnabled);
}
void ColumnAttributes::setSeparatorEnabled(bool v) {
  lockedSet(mutex_, s_.separatorEnabled, v);
}

plat::lang::Ref<Component> ColumnAttributes::getCellEditorComponent() const {
  return locked(mutex_, cellEditorComponent_);
}
plat::lang::Ref<Component> ColumnAttributes::getCellRendererComponent() const {
  return locked(mutex_, cellRendererComponent_);
}
void ColumnAttributes::setCellRendererComponent(Ref<Component> v) {
  lockedSet(mutex_, cellRendererComponent_, std::move(v));
}
plat::lang::Ref<Component> ColumnAttributes::getHeaderRendererComponent() const {
  return locked(mutex_, headerRendererComponent_);
}
void ColumnAttributes::setHeaderRendererComponent(Ref<Component> v) {
  lockedSet(mutex_, headerRendererComponent_, std::move(v));
}
plat::lang::Ref<plat::gui::TableCellEditor> ColumnAttributes::getCellEditor() const {
  return locked(mutex_, cellEditor_);
}
void ColumnAttributes::setCellEditor(Ref<plat::gui::TableCellEditor> v) {
  lockedSet(mutex_, cellEditor_, std::move(v));
}
plat::lang::Ref<plat::gui::TableCellRenderer> ColumnAttributes::getCellRenderer() const {
  return locked(mutex_, cellRenderer_);
}
void ColumnAttributes::setCellRenderer(Ref<plat::gui::TableCellRenderer> v) {
  lockedSet(mutex_, cellRenderer_, std::move(v));
}
plat::lang::Ref<plat::gui::TableCellRenderer> ColumnAttributes::getHeaderRenderer() const {
  return locked(mutex_, headerRenderer_);
}
void ColumnAttributes::setHeaderRenderer(Ref<plat::gui::TableCellRenderer> v) {
  lockedSet(mutex_, headerRenderer_, std::move(v));
}
plat::lang::Ref<BindingModel> ColumnAttributes::getLookupModel() const {
  return locked(mutex_, lookupModel_);
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
