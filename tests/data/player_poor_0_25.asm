; Vornelik's player for the PIC18F4620 at 4 MHz, poor quality (every second byte of the sound).
; It sets all of PORTB to output and to 0, waits 500 ms, then writes the table's 10 values
; to PORTB's latch, one every 250 instruction cycles (4000 a second), waits 500 ms with the last one
; on the port, and plays them again, for ever. The cycles of each instruction are in
; brackets; the loop from "next" to "BRA next" takes exactly 250 of them, the
; skipping BTFSC included, so the values come at exactly the sound's own rate.
;
; Assemble with gputils: gpasm FILE.asm. The image is the one in the HEX file
; vornelik-cli hex writes for the same sound and options.

        PROCESSOR 18F4620
        RADIX DEC               ; numbers are decimal unless written 0x
        ERRORLEVEL -302         ; the registers are reached through the access bank
        #include <p18f4620.inc>

        CONFIG OSC = XT, FCMEN = OFF, IESO = OFF ; the 4 MHz crystal, no clock switching
        CONFIG PWRT = OFF, BOREN = SBORDIS, BORV = 3 ; the chip's defaults
        CONFIG WDT = OFF, WDTPS = 32768 ; no watchdog: the player never clears it
        CONFIG CCP2MX = PORTC, PBADEN = OFF, LPT1OSC = OFF, MCLRE = ON ; PORTB digital from reset; MCLR resets
        CONFIG STVREN = ON, LVP = OFF, XINST = OFF, DEBUG = OFF ; RB5, RB6 and RB7 ordinary outputs
        CONFIG CP0 = OFF, CP1 = OFF, CP2 = OFF, CP3 = OFF ; no code protection
        CONFIG CPB = OFF, CPD = OFF ; no code protection
        CONFIG WRT0 = OFF, WRT1 = OFF, WRT2 = OFF, WRT3 = OFF ; no write protection
        CONFIG WRTC = OFF, WRTB = OFF, WRTD = OFF ; no write protection
        CONFIG EBTR0 = OFF, EBTR1 = OFF, EBTR2 = OFF, EBTR3 = OFF ; no table-read protection: the player reads its own table
        CONFIG EBTRB = OFF      ; no table-read protection

table   EQU 0x0FFF6             ; the first value; the last is at 0xFFFF
count2  EQU 0x00                ; the pause's counters
count3  EQU 0x01

        ORG 0
        CLRF LATB, A            ; [1] PORTB's latch low before it drives
        CLRF TRISB, A           ; [1] all of PORTB an output
round   CALL pause              ; [2] wait 500 ms (with the pause's RETURN, 500000 cycles)
        MOVLW UPPER table       ; [1] the table pointer to the
        MOVWF TBLPTRU, A        ; [1] first value
        MOVLW HIGH table        ; [1]
        MOVWF TBLPTRH, A        ; [1]
        MOVLW LOW table         ; [1]
        MOVWF TBLPTRL, A        ; [1]
next    BTFSC TBLPTRU, 0, A     ; [2 when it skips, else 1] past the last value the pointer is 0x10000:
        BRA round               ; [2] the next round, after the pause
        TBLRD*+                 ; [2] the value into TABLAT, the pointer to the next
        MOVFF TABLAT, LATB      ; [2] out on PORTB, where it stays until the next
        MOVLW 80                ; [1] the wait: 3 cycles a round with this MOVLW
wait    DECFSZ WREG, F, A       ; [1, 2 when it skips]
        BRA wait                ; [2]
        NOP                     ; [1] the cycles the rounds leave over
        NOP                     ; [1] the cycles the rounds leave over
        BRA next                ; [2]

; DelayMS 500: 11 x 150 x 100 rounds of the inner loop, with the CALL and
; RETURN and the last NOP exactly 500000 cycles.
pause   MOVLW 11                ; [1]
        MOVWF count3, A         ; [1]
pause3  MOVLW 150               ; [1]
        MOVWF count2, A         ; [1]
pause2  MOVLW 100               ; [1]
pause1  DECFSZ WREG, F, A       ; [1, 2 when it skips]
        BRA pause1              ; [2]
        DECFSZ count2, F, A     ; [1, 2 when it skips]
        BRA pause2              ; [2]
        DECFSZ count3, F, A     ; [1, 2 when it skips]
        BRA pause3              ; [2]
        NOP                     ; [1] the last cycle of the 500000
        RETURN                  ; [2]

; The table, 10 values, up to the top of program memory.
        ORG 0xFFF6
        DB 135,150,175,205,233,250,252,234,204,170

        END
