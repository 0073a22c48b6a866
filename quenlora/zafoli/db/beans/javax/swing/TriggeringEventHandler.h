// Listens on one component for the kinds of event that its codes name and commits its target on each of them. One
// listener of a kind is added however many codes share it (use counts per kind); action and item listeners are
// added only to components that take them. The kind decides, not the single event: with FOCUS_LOST registered,
// focus gained commits too. A currency field's own lost-focus handling runs before the commit. Registration is
// synchronized; events arrive on the GUI thread. Make it with makeRef; the target owns the handler.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/gui/ActionListener.h"
#include "platform/gui/Component.h"
#include "platform/gui/FocusListener.h"
#include "platform/gui/ItemListener.h"
#include "platform/gui/KeyListener.h"
#include "platform/gui/MouseListener.h"
#include "quenlora/zafoli/db/beans/javax/swing/TriggeringEvents.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class TriggeringEventHandler : public plat::lang::Object,
                               public plat::gui::ActionListener,
                               public plat::gui::FocusListener,
                               public plat::gui::ItemListener,
                               public plat::gui::MouseListener,
                               public plat::gui::KeyListener {
 public:
  enum class ListenerKind { Action, Focus, Item, Mouse, Key };

  // A null target is an IllegalArgumentException.
  explicit TriggeringEventHandler(TriggeringEvents* target);
  TriggeringEventHandler(const TriggeringEventHandler&) = delete;
  TriggeringEventHandler& operator=(const TriggeringEventHandler&) = delete;

  plat::lang::Ref<plat::gui::Component> getSource() const { return source_.lock(); }
  // Takes the listeners off the previous source and puts those of every code on the new one.
  void setSource(const plat::lang::Ref<plat::gui::Component>& source);
  TriggeringEvents* getTarget() const { return target_; }
  std::vector<int> getTriggeringEvents() const;
  // IndexOutOfBoundsException outside the codes.
  int getTriggeringEvents(int position) const;
  // Replaces every code (empty: none). A code outside 0..12 is an IllegalArgumentException that changes nothing.
  void setTriggeringEvents(const std::vector<int>& codes);
  // Swaps the code at position; IllegalArgumentException for a bad code, IndexOutOfBoundsException for a bad
  // position, changing nothing.
  void setTriggeringEvents(int position, int code);
  void addAllListeners();
  void removeAllListeners();
  void addListener(int code);
  void removeListener(int code);
  // The number of codes currently counted for a kind (0 when it is not registered).
  int getUseCount(ListenerKind kind) const;
  // IllegalArgumentException for a code outside 0..12.
  static ListenerKind getEventListenerClass(int code);

  void actionPerformed(const plat::gui::ActionEvent& event) override { fromSource(event.getSource()); }
  void focusGained(const plat::gui::FocusEvent& event) override { fromSource(event.getSource()); }
  void focusLost(const plat::gui::FocusEvent& event) override;
  void itemStateChanged(const plat::gui::ItemEvent& event) override { fromSource(event.getSource()); }
  void mouseClicked(const plat::gui::MouseEvent& event) override { fromSource(event.getSource()); }
  void mousePressed(const plat::gui::MouseEvent& event) override { fromSource(event.getSource()); }
  void mouseReleased(const plat::gui::MouseEvent& event) override { fromSource(event.getSource()); }
  void mouseEntered(const plat::gui::MouseEvent& event) override { fromSource(event.getSource()); }
  void mouseExited(const plat::gui::MouseEvent& event) override { fromSource(event.getSource()); }
  void keyTyped(const plat::gui::KeyEvent& event) override { fromSource(event.getSource()); }
  void keyPressed(const plat::gui::KeyEvent& event) override { fromSource(event.getSource()); }
  void keyReleased(const plat::gui::KeyEvent& event) override { fromSource(event.getSource()); }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.TriggeringEventHandler"; }

 private:
  void fromSource(const plat::lang::Object* source);
  // Adds or takes this handler off the component as that kind of listener; false when the component has no such
  // operation.
  bool attach(plat::gui::Component& component, ListenerKind kind, bool add);

  mutable std::recursive_mutex mutex_;
  TriggeringEvents* const target_;              // back reference: the target owns this handler
  std::weak_ptr<plat::gui::Component> source_;  // the component holds this handler as its listener
  std::vector<int> triggeringEvents;            // guarded by mutex_
  std::map<ListenerKind, int> regListeners;     // guarded by mutex_; kind -> use count
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
