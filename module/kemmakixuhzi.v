//
// NOVRA support cells: test-bench source (uhzi) and sink (kemmakix).
// Both speak the four-phase request/acknowledge protocol of the generated stages: a black token is the
// request going up with its data bit, a white token the request going down.
//
// uhzi: once switch and reset are high it sends the bits of mem, loaded by the test bench with
// $readmemb, one black/white token pair per bit, starting at mem[0]. adding = 1 steps to the next bit
// after each white token and stops at the first entry that is neither 0 nor 1 (the end of the data);
// adding = 0 sends mem[0] again and again.
//
// kemmakix: once switch and reset are high it acknowledges every token and stores each black token's bit
// in mem, in arrival order, for the test bench to dump with $writememb. A bit the circuit left undefined
// is stored as z; entries never written stay x, so the first x marks the end of what arrived.
// reset is active low.
//
`timescale 1ps/1ps

module uhzi(data_out, req_out, ack_in, switch, adding, reset);
parameter	MEMSIZE = 65536;
output	data_out, req_out;
input	ack_in, switch, adding, reset;
	reg	data_out, req_out;
	reg	mem[0:MEMSIZE-1];
	integer	pos;

	initial begin
		data_out = 1'b0;
		req_out = 1'b0;
		pos = 0;
	end

	always begin
		wait (switch === 1'b1 && reset === 1'b1 && ack_in === 1'b0);
		if (pos >= MEMSIZE || (mem[pos] !== 1'b0 && mem[pos] !== 1'b1)) begin
			// Nothing left to send: sleep until the test bench switches the source off.
			wait (switch !== 1'b1);
		end else begin
			data_out = mem[pos];
			#100 req_out = 1'b1;
			wait (ack_in === 1'b1);
			#100 req_out = 1'b0;
			wait (ack_in === 1'b0);
			if (adding === 1'b1)
				pos = pos + 1;
			#100;
		end
	end
endmodule

module kemmakix(data_in, req_in, ack_out, switch, reset);
parameter	MEMSIZE = 4096;
input	data_in, req_in, switch, reset;
output	ack_out;
	reg	ack_out;
	reg	mem[0:MEMSIZE-1];
	integer	count;

	initial begin
		ack_out = 1'b0;
		count = 0;
	end

	always begin
		wait (switch === 1'b1 && reset === 1'b1 && req_in === 1'b1);
		if (count < MEMSIZE)
			mem[count] = (data_in === 1'b0 || data_in === 1'b1) ? data_in : 1'bz;
		count = count + 1;
		#100 ack_out = 1'b1;
		wait (req_in === 1'b0);
		#100 ack_out = 1'b0;
	end
endmodule
