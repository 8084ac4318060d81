// One control's connection to a data source. A control derives from TDataLink and
// overrides the notifications it cares about; each is a no-op here.
//
// The links are told, synchronously and in this order of the dataset's work:
//  - ActiveChanged: the dataset opened or closed (or the link was attached);
//  - EditingChanged: editing started or ended;
//  - DataSetChanged: records changed (post, cancel, delete, insert, refresh, filter);
//  - DataSetScrolled(Distance): the cursor moved Distance records (forward positive);
//  - RecordChanged(Field): a field of the current record changed (none: all of it);
//  - LayoutChanged: fields were added, hidden, shown or renamed;
//  - UpdateData: write pending values into the fields, the dataset is about to post;
//  - CheckBrowseMode: the dataset is about to leave edit state or move;
//  - FocusControl(Field): focus the control showing Field; set Field to none when done.
#pragma once

#include "platform/data/DataTypes.h"

class TDataSet;
class TDataSource;
class TField;

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    // The data source is enabled and its dataset open.
    bool Active() const { return m_active; }
    // Active, not read-only, and the dataset is in an edit state.
    bool Editing() const { return m_editing; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    // How many records the control shows at once. Stored for the control; the dataset
    // reports exact scroll distances whatever its value.
    int BufferCount() const { return m_bufferCount; }
    void SetBufferCount(int count) { m_bufferCount = count < 1 ? 1 : count; }
    // A link of a visual control (stored for the control's use).
    bool VisualControl() const { return m_visualControl; }
    void SetVisualControl(bool value) { m_visualControl = value; }

    // Puts the dataset into edit state when the link is not read-only and the data
    // source allows automatic editing; answers whether the link is now editing.
    bool Edit();
    // Asks the controls to write their pending values (while editing).
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int Distance) {}
    virtual void RecordChanged(TField* Field) {}
    virtual void LayoutChanged() {}
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}
    virtual void FocusControl(TField*& Field) {}

private:
    friend class TDataSource;
    void DataEvent(TDataEvent event, intptr_t info);
    void UpdateState();

    TDataSource* m_dataSource = nullptr;
    bool m_active = false;
    bool m_editing = false;
    bool m_readOnly = false;
    bool m_visualControl = false;
    bool m_updating = false;
    int m_bufferCount = 1;
};
