// What a mediator lends the grid algorithms of ItemGrid: its notification switches, which the fill turns around
// the changes it makes, and the output component, offset and formatting choices the write puts values with.
#pragma once

namespace quenlora::zafoli::db::beans::binding {

class OutputComponent;

class GridHost {
 public:
  virtual ~GridHost() = default;

  // Whether the host publishes items (a provider) rather than consuming one.
  virtual bool isProvider() const = 0;
  // The provider's write-back of item edits into its source.
  virtual void setNotifyOnDS(bool on) = 0;
  // The host's own reaction to changes of its item.
  virtual void setNotifyOn(bool on) = 0;
  // Class-wide: force every mediator to react to item changes.
  virtual void setNotifyOnStatic(bool on) = 0;
  // Class-wide: whether a size change also rewrites the outputs.
  virtual void setNotifySizeOnStatic(bool on) = 0;

  // The row subtracted from an item's rows when they are written into the output.
  virtual int getOffset() const = 0;
  virtual bool isLocalizationUsed() const = 0;
  virtual bool isFormatNumbers() const = 0;
  virtual bool isEmptyMeansNull() const = 0;
  // Where written values go; nothing is written while there is none.
  virtual OutputComponent* getOutputComponent() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
