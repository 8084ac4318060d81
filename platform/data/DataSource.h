// Joins a dataset to data-aware controls: every data link of a control points at a
// data source, and the data source passes the dataset's notifications on to them.
#pragma once

#include "platform/core/Component.h"
#include "platform/data/DataTypes.h"
#include "platform/data/FreeNotifier.h"

#include <functional>
#include <vector>

class TDataSet;
class TDataLink;
class TField;

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    explicit TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }
    ~TDataSource() override;
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet* dataSet);
    // Controls may put the dataset into edit state by themselves (default true).
    bool AutoEdit() const { return m_autoEdit; }
    void SetAutoEdit(bool value) { m_autoEdit = value; }
    // A disabled data source passes nothing on; its links are inactive.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    // The dataset's state; inactive without a dataset or while disabled.
    TDataSetState State() const;
    // Puts the dataset into edit state when AutoEdit allows it and it is browsing.
    void Edit();

    // Field is none when the whole record changed (scroll, post, cancel, open...).
    std::function<void(TDataSource* Sender, TField* Field)> OnDataChange;
    std::function<void(TDataSource* Sender)> OnStateChange;
    std::function<void(TDataSource* Sender)> OnUpdateData;

    const std::vector<TDataLink*>& DataLinks() const { return m_links; }

    int AddFreeNotification(std::function<void(TDataSource*)> callback) { return m_freeNotifier.Add(std::move(callback)); }
    void RemoveFreeNotification(int handle) { m_freeNotifier.Remove(handle); }

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, intptr_t info);
    void NotifyLinks(TDataEvent event, intptr_t info);
    void UpdateState();
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);

    TDataSet* m_dataSet = nullptr;
    bool m_autoEdit = true;
    bool m_enabled = true;
    TDataSetState m_lastState = TDataSetState::dsInactive;
    std::vector<TDataLink*> m_links;
    TFreeNotifier<TDataSource> m_freeNotifier;
};
