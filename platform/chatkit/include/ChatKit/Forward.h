#pragma once

class CKUITheme;
