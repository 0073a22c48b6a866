// The binder of one column of a view: its column links (in the order bound, no duplicates), the enabled flag and
// the set-data pass that asks each link to push its value. While a pass runs, the binder's own data-change notices
// are dropped, so a value a link pushes does not echo back. Passes and notices walk a copy of the links, so a link
// may bind or unbind during its callback. Used on the view's thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/pro/DataAccess.h"
#include "quenlora/zafoli/db/pro/LinkList.h"
#include "quenlora/zafoli/db/pro/ProjLink.h"

namespace quenlora::zafoli::db::pro {

class RelationView;

class ProjBinder {
 public:
  using StreamRef = DataAccess::StreamRef;
  using Bytes = DataAccess::Bytes;
  static constexpr int SETBLANKTODEFAULT = DataAccess::SETBLANKTODEFAULT;
  static constexpr int SETBLANKTONULL = DataAccess::SETBLANKTONULL;
  static constexpr int SETBLANKTOEMPTY = DataAccess::SETBLANKTOEMPTY;
  static constexpr int DEFAULT_SCALE = DataAccess::DEFAULT_SCALE;

  ProjBinder(RelationView& view, int column, bool enabled, bool columnWritable)
      : view_(view), column_(column), enabled_(enabled), columnWritable_(columnWritable) {}
  ProjBinder(const ProjBinder&) = delete;
  ProjBinder& operator=(const ProjBinder&) = delete;

  int getColumn() const { return column_; }
  RelationView& getRelationView() const { return view_; }
  // The current record is readable / writable and the column may be written (not OTHER).
  bool isReadable() const;
  bool isWritable() const;
  // The column's name; empty at design time.
  std::string getColumnName() const;

  // The typed and text operations of the view's current record for this column.
  StreamRef getAsciiStream();
  std::optional<plat::math::Decimal> getBigDecimal(int scale);
  StreamRef getBinaryStream();
  bool getBoolean();
  std::int8_t getByte();
  Bytes getBytes();
  std::optional<plat::time::Date> getDate();
  double getDouble();
  float getFloat();
  std::int32_t getInt();
  std::int64_t getLong();
  std::int16_t getShort();
  std::optional<std::string> getString();
  std::optional<plat::time::Time> getTime();
  std::optional<plat::time::Timestamp> getTimestamp();
  StreamRef getUnicodeStream();
  bool isNull();
  void setAsciiStream(const StreamRef& stream, int length);
  void setBigDecimal(const std::optional<plat::math::Decimal>& value);
  void setBinaryStream(const StreamRef& stream, int length);
  void setBoolean(bool value);
  void setByte(std::int8_t value);
  void setBytes(const Bytes& value);
  void setDate(const plat::time::Date& value);
  void setDouble(double value);
  void setFloat(float value);
  void setInt(std::int32_t value);
  void setLong(std::int64_t value);
  void setNull(int sqlType);
  void setShort(std::int16_t value);
  void setString(const std::string& value);
  void setTime(const plat::time::Time& value);
  void setTimestamp(const plat::time::Timestamp& value);
  void setUnicodeStream(const StreamRef& stream, int length);
  std::string getStringValue();
  std::string getStringValue(int scale);
  std::string getStringValue(int sqlType, int scale);
  std::string getStringValue(int sqlType, int scale, bool binary);
  std::string getStringValue(int scale, bool binary);
  std::string getStringValue(bool binary);
  std::string getStringValue(const std::string& typeName, int scale);
  std::string getStringValue(const std::string& typeName, int scale, bool binary);
  void setValueFromString(const std::string& text);
  void setValueFromString(const std::string& text, int mode);
  void setValueFromString(const std::string& text, int scale, int mode);
  void setValueFromString(const std::string& text, int sqlType, int scale, int mode);
  void setValueFromString(const std::string& text, const std::string& typeName, int scale);
  void setValueFromString(const std::string& text, const std::string& typeName, int scale, int mode);

  // Inside the library.
  // False when the link was bound already.
  bool addLink(const std::shared_ptr<ProjLink>& link);
  void removeLink(const ProjLink* link);
  void removeAllLinks() { links_.clear(); }
  bool anyLinks() const { return !links_.empty(); }
  void enable(bool on) { enabled_ = on; }
  bool isEnabled() const { return enabled_; }
  // Every move notifies and passes every column, and most columns have no link: those are decided here, inline.
  void notifyDataChange() {
    if (!enabled_ || inSetData_ || links_.empty()) return;
    notifyLinks();
  }
  // False when a link vetoed; the in-set-data flag is cleared on every exit.
  bool setDataPass() {
    if (!enabled_) return true;
    if (links_.empty()) {
      inSetData_ = false;
      return true;
    }
    return passLinks();
  }

 private:
  void notifyLinks();
  bool passLinks();

  RelationView& view_;  // back reference: the view owns its binders
  int column_;
  bool enabled_;
  bool columnWritable_;
  bool inSetData_ = false;
  LinkList<ProjLink> links_;
};

}  // namespace quenlora::zafoli::db::pro
