// Subscribers and their objects.
#include "store/archive.h"
#include "store/archive_error.h"

namespace admintools {
namespace {

void RequireName(const std::string& name) {
  if (name.empty()) throw ArchiveError(ArchiveFailure::kInvalid, "a name is required");
}

}  // namespace

std::vector<Subscriber> Archive::Subscribers() const {
  Statement statement(db_,
                      "SELECT id, name, contact, account, notes FROM subscribers "
                      "ORDER BY name COLLATE NOCASE, id");
  std::vector<Subscriber> result;
  while (statement.Step()) {
    result.push_back({statement.Int(0), statement.Text(1), statement.Text(2), statement.Text(3),
                      statement.Text(4)});
  }
  return result;
}

int64_t Archive::AddSubscriber(const Subscriber& subscriber) {
  RequireName(subscriber.name);
  Statement(db_, "INSERT INTO subscribers (name, contact, account, notes) VALUES (?1, ?2, ?3, ?4)")
      .Bind(1, subscriber.name)
      .Bind(2, subscriber.contact)
      .Bind(3, subscriber.account)
      .Bind(4, subscriber.notes)
      .Run();
  return db_.LastInsertId();
}

void Archive::UpdateSubscriber(const Subscriber& subscriber) {
  RequireName(subscriber.name);
  Statement(db_,
            "UPDATE subscribers SET name = ?1, contact = ?2, account = ?3, notes = ?4 "
            "WHERE id = ?5")
      .Bind(1, subscriber.name)
      .Bind(2, subscriber.contact)
      .Bind(3, subscriber.account)
      .Bind(4, subscriber.notes)
      .Bind(5, subscriber.id)
      .Run();
  RequireChanged(db_, "subscriber");
}

void Archive::DeleteSubscriber(int64_t id) {
  Statement objects(db_, "SELECT 1 FROM objects WHERE subscriber_id = ?1 LIMIT 1");
  if (objects.Bind(1, id).Step()) {
    throw ArchiveError(ArchiveFailure::kInUse, "the subscriber still has objects");
  }
  Statement(db_, "DELETE FROM subscribers WHERE id = ?1").Bind(1, id).Run();
  RequireChanged(db_, "subscriber");
}

std::vector<Object> Archive::Objects(std::optional<int64_t> subscriberId) const {
  Statement statement(db_,
                      "SELECT id, subscriber_id, name, address FROM objects "
                      "WHERE ?1 IS NULL OR subscriber_id = ?1 "
                      "ORDER BY name COLLATE NOCASE, id");
  if (subscriberId.has_value()) {
    statement.Bind(1, *subscriberId);
  } else {
    statement.BindNull(1);
  }
  std::vector<Object> result;
  while (statement.Step()) {
    result.push_back({statement.Int(0), statement.Int(1), statement.Text(2), statement.Text(3)});
  }
  return result;
}

int64_t Archive::AddObject(const Object& object) {
  RequireName(object.name);
  Statement(db_, "INSERT INTO objects (subscriber_id, name, address) VALUES (?1, ?2, ?3)")
      .Bind(1, object.subscriberId)
      .Bind(2, object.name)
      .Bind(3, object.address)
      .Run();
  return db_.LastInsertId();
}

void Archive::UpdateObject(const Object& object) {
  RequireName(object.name);
  Statement(db_, "UPDATE objects SET subscriber_id = ?1, name = ?2, address = ?3 WHERE id = ?4")
      .Bind(1, object.subscriberId)
      .Bind(2, object.name)
      .Bind(3, object.address)
      .Bind(4, object.id)
      .Run();
  RequireChanged(db_, "object");
}

void Archive::DeleteObject(int64_t id) {
  Statement(db_, "DELETE FROM objects WHERE id = ?1").Bind(1, id).Run();
  RequireChanged(db_, "object");
}

}  // namespace admintools
