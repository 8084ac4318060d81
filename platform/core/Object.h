// The common base of every component and graphics object: events pass it as Sender.
#pragma once

class TObject { public: virtual ~TObject() = default; };
